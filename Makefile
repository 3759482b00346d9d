# The two set-up commands of the README, and a few more.
BUILD ?= build
SAN_BUILD ?= build-sanitize
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all bootstrap build run gui test test-sanitize bench clean

all: build

bootstrap:
	bash tools/bootstrap.sh

build: bootstrap
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS)

# The main job: an extraction from the bundled sample drawing.
run: build
	bash tools/run-sample.sh $(BUILD)

# The sample drawing in the graphical host (needs a display).
gui: build
	$(BUILD)/bin/kvhost --gui samples/office_floor.dxf

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

test-sanitize: bootstrap
	cmake -S . -B $(SAN_BUILD) -G Ninja -DKV_SANITIZE=ON -DKV_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
	cmake --build $(SAN_BUILD) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --test-dir $(SAN_BUILD) --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD) $(SAN_BUILD)
