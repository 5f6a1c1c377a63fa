# Tilewright: two commands on a fresh Debian 12 machine.
#   make run   installs what is missing, builds and opens the window
#   make test  installs what is missing, builds and runs every test
# Also: make bench, make fuzz, make check-asan, make check-release, make install,
# make package.

BUILD         ?= build
ASAN_BUILD    ?= build-asan
RELEASE_BUILD ?= build-release
JOBS          ?= $(shell nproc)
SUDO          := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

DEPS := cmake ninja-build g++ pkg-config qt6-base-dev libpng-dev libjpeg62-turbo-dev \
        libgif-dev libtiff-dev libimagequant-dev zlib1g-dev libgtest-dev libgmock-dev libbenchmark-dev
FUZZ_DEPS := clang libclang-rt-14-dev imagemagick python3
BENCH_DEPS := imagemagick python3-pil mate-backgrounds xvfb xclip
# cpack's Debian generator computes the dependencies with dpkg-shlibdeps,
# which needs file; desktop-file-validate checks the desktop entry.
PACKAGE_DEPS := dpkg-dev file desktop-file-utils

.PHONY: all deps build run test check-asan check-release bench fuzz install package clean

all: build

# Installs only the Debian packages that are not there yet.
define install_missing
	@missing=$$(for p in $(1); do dpkg -s $$p >/dev/null 2>&1 || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  $(SUDO) apt-get update -q && \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -q $$missing; \
	fi
endef

deps:
	$(call install_missing,$(DEPS))

build: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j$(JOBS)

run: build
	$(BUILD)/tilewright

test: build
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)
	$(MAKE) check-asan

# The core and the batch runner's scenarios again, built with AddressSanitizer
# and UndefinedBehaviorSanitizer: any report fails the run.
check-asan: deps
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTW_SANITIZE=ON \
	  -DTW_BUILD_GUI=OFF -DTW_BUILD_BENCH=OFF
	cmake --build $(ASAN_BUILD) -j$(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 ctest --output-on-failure -j$(JOBS)

# The plain Release build a packager runs, with the default generator: GCC's
# -O3 inlines further than RelWithDebInfo's -O2 and warns where -O2 is silent,
# and those warnings are errors here too. Then every test on that build.
check-release: deps
	cmake -S . -B $(RELEASE_BUILD) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(RELEASE_BUILD) -j$(JOBS)
	cd $(RELEASE_BUILD) && ctest --output-on-failure -j$(JOBS)

bench: build
	$(call install_missing,$(BENCH_DEPS))
	TW_BENCH_PSNR=1 bash bench/run.sh $(BUILD)

fuzz: deps
	$(call install_missing,$(FUZZ_DEPS))
	bash fuzz/run.sh $${FUZZ_SECONDS:-60}

install: build
	$(SUDO) cmake --install $(BUILD)

# build/tilewright_VERSION_ARCH.deb, installed under /usr.
package: build
	$(call install_missing,$(PACKAGE_DEPS))
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(RELEASE_BUILD) build-fuzz
