# On a fresh Debian 12 machine: `make run`, `make test`, and `make package` for a .deb.
BUILD_DIR ?= build
CMAKE_FLAGS ?=

.PHONY: all deps configure build test run package clean

all: build

deps:
	@tools/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD_DIR) -G Ninja $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR)

test: build
	@cd $(BUILD_DIR) && ctest --output-on-failure -j2

run: build
	@$(BUILD_DIR)/app/tallyvane

package: build
	@cd $(BUILD_DIR) && cpack -G DEB >/dev/null
	@cp $(BUILD_DIR)/tallyvane_*.deb .
	@ls tallyvane_*.deb

clean:
	@rm -rf $(BUILD_DIR)
