# Thin driver over the CMake presets and scripts/. See README.md.
.PHONY: all run test bench build dist setup setup-dist clean

CMAKE_BUILD = cmake --preset $(1) >/dev/null && cmake --build --preset $(1)

all: build

setup:
	@scripts/setup.sh

# Packing the release needs NSIS too: make dist, and make test, whose release
# test checks the packages and runs the installer.
setup-dist:
	@scripts/setup.sh dist

build: setup
	@$(call CMAKE_BUILD,win64)

run: build
	@scripts/run.sh

dist: setup-dist
	@$(call CMAKE_BUILD,win32) --target dist

test: setup-dist
	@$(call CMAKE_BUILD,win32) --target all dist
	@$(call CMAKE_BUILD,win64)
	@$(call CMAKE_BUILD,host)
	@scripts/test.sh

bench: setup
	@$(call CMAKE_BUILD,win64)
	@$(call CMAKE_BUILD,hostbench)
	@scripts/with-display.sh scripts/bench.sh

clean:
	rm -rf build/win32 build/win64 build/host build/hostbench build/fuzz build/dist
