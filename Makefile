# The two commands: `make run` and `make test`.
BUILD_DIR ?= build
ASAN_DIR ?= build-asan
FUZZ_DIR ?= build-fuzz
# Seconds each fuzz target runs in `make fuzz`.
FUZZ_SECONDS ?= 60
JOBS ?= $(shell nproc)

.PHONY: all setup build run disc-image test test-bare test-asan fuzz bench clean

all: build

setup:
	@./scripts/setup.sh

$(BUILD_DIR)/build.ninja:
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: setup $(BUILD_DIR)/build.ninja
	cmake --build $(BUILD_DIR) -j $(JOBS)

# Starts the disc's start program from the assembled sample disc.
run: build
	cd $(BUILD_DIR)/disc && ./play

# Writes the sample disc as an ISO 9660 image, $(BUILD_DIR)/disc.iso.
disc-image: build
	cmake --build $(BUILD_DIR) --target disc_image

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1 \
		ctest --output-on-failure -j $(JOBS) -LE bare-system

# The disc on bare Debian 12 and 13 systems, which the set-up makes with
# mmdebstrap from Debian's archive; needs root (mount namespaces).
test-bare: build
	cd $(BUILD_DIR) && ctest --output-on-failure -L bare-system

$(ASAN_DIR)/build.ninja:
	cmake -S . -B $(ASAN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DBOOKDISC_SANITIZE=ON -DBOOKDISC_BENCH=OFF

test-asan: setup $(ASAN_DIR)/build.ninja
	cmake --build $(ASAN_DIR) -j $(JOBS)
	cd $(ASAN_DIR) && QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1 \
		ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
		ctest --output-on-failure -j $(JOBS) -LE 'no-asan|bare-system'

# The fuzz targets build with clang, AddressSanitizer, UndefinedBehaviorSanitizer
# and libFuzzer; each then runs FUZZ_SECONDS from its seeds.
$(FUZZ_DIR)/build.ninja:
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DBOOKDISC_FUZZ=ON -DBOOKDISC_BENCH=OFF

fuzz: setup $(FUZZ_DIR)/build.ninja
	cmake --build $(FUZZ_DIR) -j $(JOBS) --target fuzzers
	./fuzz/run-fuzzers.sh $(FUZZ_DIR) $(FUZZ_SECONDS)

# Each benchmark runs in network, process and /proc namespaces of its own: the
# disc's programs allow one instance per user (an abstract socket), and the
# screen benchmarks count the processes they started. Without root, a user
# namespace gives the same, but the disc device benchmark needs root for its loop device.
UNSHARE := unshare $(if $(filter 0,$(shell id -u)),,-r )-n -p -f --mount-proc
bench: build
	cd $(BUILD_DIR) && for b in bench/bench_*; do \
		[ -x "$$b" ] && QT_QPA_PLATFORM=offscreen $(UNSHARE) sh -c "$$b & wait"; done

clean:
	rm -rf $(BUILD_DIR) $(ASAN_DIR) $(FUZZ_DIR)
