# The two commands of the README: `make run` and `make test`. Both install what is missing first.
BUILD_DIR ?= build
CMAKE_FLAGS ?=
CTEST_FLAGS ?= --output-on-failure -j2

.PHONY: run test install gallery deps release sanitize fuzz bench format

deps:
	@scripts/install-deps

release: deps
	cmake -S . -B $(BUILD_DIR)/release -G Ninja -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS)
	cmake --build $(BUILD_DIR)/release

sanitize: deps
	cmake -S . -B $(BUILD_DIR)/sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DORVENTA_SANITIZE=ON $(CMAKE_FLAGS)
	cmake --build $(BUILD_DIR)/sanitize

# The raster primitives under libFuzzer; needs clang (installed by deps), skipped without it.
fuzz: deps
	@if command -v clang++ >/dev/null; then \
	  CXX=clang++ cmake -S . -B $(BUILD_DIR)/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DORVENTA_FUZZ=ON $(CMAKE_FLAGS) && \
	  cmake --build $(BUILD_DIR)/fuzz --target orventa_raster_fuzz orventa_edid_fuzz && \
	  ctest --test-dir $(BUILD_DIR)/fuzz $(CTEST_FLAGS); \
	else echo "clang++ not found: the fuzz run is skipped"; fi

run: release
	$(BUILD_DIR)/release/app/orventa

# Every test, on the normal build and on the AddressSanitizer + UndefinedBehaviorSanitizer build.
test: release sanitize
	ctest --test-dir $(BUILD_DIR)/release $(CTEST_FLAGS)
	ctest --test-dir $(BUILD_DIR)/sanitize $(CTEST_FLAGS)
	$(MAKE) fuzz

# Installs the program, orventa-render, the desktop entry, icon, metainfo and manual pages under
# PREFIX.
PREFIX ?= /usr/local
install: release
	cmake --install $(BUILD_DIR)/release --prefix $(PREFIX)

# Every page of every test pattern, rendered at 1280 x 720 into docs/gallery.
gallery: release
	scripts/make-gallery $(BUILD_DIR)/release/app/orventa-render docs/gallery

# The benchmarks, each figure beside its baseline from the same run.
bench: release
	$(BUILD_DIR)/release/bench/orventa_bench

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i
