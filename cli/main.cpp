// tallyvane-cli: the calculator and the samples analysis on the command line.
#include <CLI/CLI.hpp>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
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

// What a failed read or write says: the system's reason.
std::string Reason() {
    return errno != 0 ? std::strerror(errno) : "input/output error";
}

// A table file's bytes, as many as the reader needs to refuse a larger one unread; throws
// TableRefused where they cannot be read whole.
std::string ReadTable(const std::string& file) {
    const std::string name = file == "-" ? "standard input" : file;
    std::error_code error;
    if (file != "-" && std::filesystem::is_directory(file, error)) {
        throw tallyvane::TableRefused({"Cannot read " + name + ": it is a folder."});
    }
    std::ifstream opened;
    if (file != "-") {
        opened.open(file, std::ios::binary);
        if (!opened) {
            throw tallyvane::TableRefused({"Cannot open " + name + ": " + Reason() + "."});
        }
    }
    std::istream& in = file == "-" ? std::cin : opened;
    std::string bytes;
    constexpr std::size_t kChunk = std::size_t{1} << 20;
    errno = 0;
    while (in && bytes.size() < tallyvane::kTableFileReadSize) {
        const std::size_t size = bytes.size();
        bytes.resize(size + kChunk);
        in.read(bytes.data() + size, static_cast<std::streamsize>(kChunk));
        bytes.resize(size + static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad()) {  // a part of a table is no table
        throw tallyvane::TableRefused({"Cannot read " + name + ": " + Reason() + "."});
    }
    return bytes;
}

// The chart written aside and renamed over `path` only once it is whole, so that a failed write
// leaves the old file as it was; a device or a pipe is written to as it is.
void WriteChart(const std::string& svg, const std::string& path) {
    const std::filesystem::path target(path);
    std::error_code error;
    const auto status = std::filesystem::status(target, error);
    const bool aside = !std::filesystem::exists(status) || std::filesystem::is_regular_file(status);
    std::filesystem::path written = target;
    if (aside) {
        written += ".tallyvane-partial";
    }
    errno = 0;
    std::ofstream out(written, std::ios::binary);
    out << svg;
    out.close();
    if (!out || (aside && (std::filesystem::rename(written, target, error), error))) {
        const std::string reason = error ? error.message() : Reason();
        if (aside) {
            std::filesystem::remove(written, error);
        }
        throw tallyvane::TableRefused({"Cannot write the chart to " + path + ": " + reason + "."});
    }
}

int Samples(const std::string& file, tallyvane::SamplesFormat format, tallyvane::Signals tests,
            const std::string& svgFile) {
    const tallyvane::DecodedText decoded = tallyvane::DecodeTable(ReadTable(file));
    if (const auto note = tallyvane::EncodingNote(decoded.encoding); !note.empty()) {
        std::cerr << note << '\n';
    }
    if (!svgFile.empty()) {
        WriteChart(tallyvane::SamplesChart(decoded.text, tests), svgFile);
    }
    tallyvane::WriteSamples(decoded.text, format, tests, std::cout);
    return kResults;
}

bool SameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    return std::filesystem::equivalent(a, b, error);
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
    std::string samples, svg, tests = "1,2,3,4";
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
    app.add_option("--tests", tests,
                   "The tests for special causes to apply, of 1 (a point beyond the limits), 2 "
                   "(nine in a row on one side of the centre), 3 (six in a row rising or falling) "
                   "and 4 (fourteen in a row alternating)")
        ->capture_default_str()
        ->needs(samplesOption)
        ->check([](const std::string& text) {
            return tallyvane::ParseTests(text) ? std::string()
                                               : std::string(
                                                     "a list of tests from 1 to 4, "
                                                     "commas apart, such as 1,2");
        });
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
        if (!svg.empty() && (svg == samples || SameFile(svg, samples))) {
            throw CLI::ValidationError("--svg", "names the table itself, which it would overwrite");
        }
    } catch (const CLI::ParseError& e) {
        const int status = app.exit(e);
        return status == 0 ? kResults : kUsage;
    }
    int status = kResults;
    try {
        if (!samples.empty()) {
            status = Samples(samples,
                             json  ? tallyvane::SamplesFormat::kJson
                             : csv ? tallyvane::SamplesFormat::kCsv
                                   : tallyvane::SamplesFormat::kText,
                             *tallyvane::ParseTests(tests), svg);
        } else {
            status = Pair(counts, json);
        }
    } catch (const tallyvane::TableRefused& e) {
        for (const std::string& reason : e.reasons()) {
            std::cerr << reason << '\n';
        }
        return kWarning;
    } catch (const std::exception& e) {  // out of memory, most likely: no figures at all
        std::cerr << "Cannot analyse the table: " << e.what() << ".\n";
        return kWarning;
    }
    if (std::cout) {  // else the write that failed left its reason in errno
        errno = 0;
    }
    if (!std::cout.flush()) {
        if (errno != EPIPE) {  // a reader that has gone, as with "| head", is no fault to report
            std::cerr << "Cannot write the results: " << Reason() << ".\n";
        }
        return kWarning;
    }
    return status;
}
