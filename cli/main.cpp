// tallyvane-cli: the calculator and the samples analysis on the command line.
#include <CLI/CLI.hpp>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "calc/calculate_plan.h"
#include "cli/pair_report.h"
#include "cli/samples_report.h"
#include "samples/table_refused.h"
#include "samples/text_decoding.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

constexpr int kResults = 0, kWarning = 1, kUsage = 2;

// A file's bytes, as many as the reader needs to refuse a larger one unread.
std::string ReadBytes(std::istream& in) {
    std::string bytes;
    constexpr std::size_t kChunk = std::size_t{1} << 20;
    while (in && bytes.size() < tallyvane::kTableFileReadSize) {
        const std::size_t size = bytes.size();
        bytes.resize(size + kChunk);
        in.read(bytes.data() + size, static_cast<std::streamsize>(kChunk));
        bytes.resize(size + static_cast<std::size_t>(in.gcount()));
    }
    return bytes;
}

int Samples(const std::string& file, tallyvane::SamplesFormat format, const std::string& svgFile) {
    std::ifstream opened;
    if (file != "-") {
        opened.open(file, std::ios::binary);
        if (!opened) {
            std::cerr << "Cannot open " << file << ".\n";
            return kWarning;
        }
    }
    const std::string text =
        tallyvane::DecodeTable(ReadBytes(file == "-" ? std::cin : opened)).text;
    std::ofstream svg;
    if (!svgFile.empty()) {
        svg.open(svgFile, std::ios::binary);
        if (!svg) {
            std::cerr << "Cannot write the chart to " << svgFile << ".\n";
            return kWarning;
        }
    }
    tallyvane::WriteSamples(text, format, std::cout, svgFile.empty() ? nullptr : &svg);
    svg.close();
    if (!svgFile.empty() && !svg) {
        std::cerr << "Cannot write the chart to " << svgFile << ".\n";
        return kWarning;
    }
    return kResults;
}

int Pair(const std::vector<std::string>& counts, bool json) {
    const tallyvane::CalculatePlan plan = tallyvane::PlanCalculate(counts[0], counts[1]);
    if (!plan.warning.empty()) {
        std::cerr << plan.warning << '\n';
        return kWarning;
    }
    (json ? tallyvane::WritePairJson : tallyvane::WritePairText)(plan, std::cout);
    return kResults;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    std::ios::sync_with_stdio(false);
    CLI::App app{
        "Process sigma level, DPMO, defect and yield percentages with their exact 95% "
        "confidence intervals, for one pair of counts or for a table of samples with its "
        "P chart.",
        "tallyvane-cli"};
    app.set_version_flag("--version", std::string(TALLYVANE_VERSION));
    bool json = false, csv = false;
    std::string samples, svg;
    std::vector<std::string> counts;
    auto* jsonFlag = app.add_flag("--json", json, "Write JSON");
    app.add_flag("--csv", csv, "Write the samples' table as CSV, for a spreadsheet")
        ->excludes(jsonFlag);
    auto* samplesOption = app.add_option(
        "--samples", samples,
        "A table of samples (CSV or tab-separated; \"-\" reads standard input): an optional "
        "label, the defects and the opportunities on each row");
    app.add_option("--svg", svg, "Write the samples' control chart to this SVG file")
        ->needs(samplesOption);
    app.add_option("counts", counts, "DEFECTS OPPORTUNITIES, as typed into the window")
        ->expected(2)
        ->excludes(samplesOption);
    try {
        app.parse(argc, argv);
        if (samples.empty() && counts.size() != 2) {
            throw CLI::RequiredError("DEFECTS OPPORTUNITIES or --samples FILE");
        }
        if (csv && samples.empty()) {
            throw CLI::ValidationError("--csv", "needs --samples");
        }
    } catch (const CLI::ParseError& e) {
        const int status = app.exit(e);
        return status == 0 ? kResults : kUsage;
    }
    try {
        if (!samples.empty()) {
            return Samples(samples,
                           json  ? tallyvane::SamplesFormat::kJson
                           : csv ? tallyvane::SamplesFormat::kCsv
                                 : tallyvane::SamplesFormat::kText,
                           svg);
        }
        return Pair(counts, json);
    } catch (const tallyvane::TableRefused& e) {
        for (const std::string& reason : e.reasons()) {
            std::cerr << reason << '\n';
        }
        return kWarning;
    }
}
