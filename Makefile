# On a fresh Debian 12 machine: `make run`, `make test`, and `make package` for a .deb.
BUILD_DIR ?= build
WEB_DIR ?= build-web
CMAKE_FLAGS ?=

.PHONY: all deps configure build test run package fuzz bench clean windows windows-test web web-deps

all: build

deps:
	@tools/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DTALLYVANE_WEB_BUILD=$(abspath $(WEB_DIR)) \
		$(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR)

# Everything, the page and its browser tests included.
test: build web
	@cd $(BUILD_DIR) && ctest --output-on-failure -j2

# The program alone: no tests, sanitizer builds or benchmarks.
run: configure
	@cmake --build $(BUILD_DIR) --target tallyvane
	@$(BUILD_DIR)/app/tallyvane

package: build
	@cd $(BUILD_DIR) && cpack -G DEB >/dev/null
	@cp $(BUILD_DIR)/tallyvane_*.deb .
	@ls tallyvane_*.deb

# The page: tallyvane.html here, from Debian's Emscripten, and the npm packages that drive the
# browsers in its tests (pinned in package-lock.json).
web: deps web-deps node_modules/.package-lock.json
	@tools/web/build.sh $(WEB_DIR)

web-deps:
	@tools/install-deps.sh tools/web/debian-packages.txt

node_modules/.package-lock.json: package-lock.json | web-deps
	@command -v npm >/dev/null || echo npm | tools/install-deps.sh /dev/stdin
	@PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error
	@touch $@

# Windows: Qt for Windows built once from Debian's source with MinGW-w64 (cached under
# ~/.cache/tallyvane), then the program, its MSI and a zip here; the tests run under Wine.
WINDOWS_DIR ?= build-windows
export HOME ?= $(shell getent passwd "$$(id -u)" | cut -d: -f6)
windows: deps
	@tools/install-deps.sh tools/windows/debian-packages.txt
	@tools/windows/enable-deb-src.sh
	@tools/windows/build.sh $(WINDOWS_DIR)

windows-test: windows
	@tools/windows/test.sh $(WINDOWS_DIR)

# Every benchmark: the core against its yardsticks, a Calculate click on the real window,
# start-up against a minimal Qt window, and the page against a plain web calculator
# and the samples' analysis on the command line against SciPy (bench/README.md holds the figures).
bench: configure web
	@tools/install-deps.sh bench/debian-packages.txt
	@cmake --build $(BUILD_DIR) --target core_bench interaction_bench tallyvane_probe \
		minimal_probe text_probe samples_probe edit_probe tallyvane-cli
	@$(BUILD_DIR)/bench/core_bench --benchmark_repetitions=10 --benchmark_report_aggregates_only=true
	@$(BUILD_DIR)/bench/interaction_bench --benchmark_repetitions=10 \
		--benchmark_report_aggregates_only=true
	@bench/startup/run.sh $(BUILD_DIR) 30
	@node bench/web/page_bench.mjs tallyvane.html 30
	@bench/samples/run.sh $(BUILD_DIR) 10 $(BASELINE_CLI)

# The fuzz target for FUZZ_SECONDS, built with clang's libFuzzer in its own tree: inputs that
# add coverage to the committed corpus are merged into fuzz-build/new-corpus, to be reviewed and
# committed into fuzz/corpus; a crashing one is left in fuzz-build/. The tree itself is never
# written, so that every checkout replays the same corpus.
FUZZ_SECONDS ?= 60
FUZZ_DIR ?= fuzz-build
FUZZ_TARGETS = fuzz_calculation fuzz_samples
fuzz: deps
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) -G Ninja -DTALLYVANE_FUZZ=ON \
		-DTALLYVANE_GUI=OFF -DTALLYVANE_BENCH=OFF -DTALLYVANE_SANITIZERS=OFF \
		-DBUILD_TESTING=OFF >/dev/null
	@cmake --build $(FUZZ_DIR) --target $(FUZZ_TARGETS)
	@for target in $(FUZZ_TARGETS); do \
		scratch=$(FUZZ_DIR)/scratch/$$target new=$(FUZZ_DIR)/new-corpus/$$target; \
		corpus=$(CURDIR)/fuzz/corpus/$$target; \
		rm -rf $$new && mkdir -p $$scratch $$new; \
		$(FUZZ_DIR)/fuzz/$$target $$scratch $$corpus -max_total_time=$(FUZZ_SECONDS) \
			-max_len=4096 -artifact_prefix=$(FUZZ_DIR)/ || exit 1; \
		$(FUZZ_DIR)/fuzz/$$target -merge=1 $$new $$corpus $$scratch >/dev/null 2>&1; \
		for f in $$new/*; do [ -e $$corpus/$${f##*/} ] && rm -f $$f; done; \
		echo "$$target: $$(ls $$new | wc -l) new inputs to review and commit, in $$new"; \
	done

clean:
	@rm -rf $(BUILD_DIR)
