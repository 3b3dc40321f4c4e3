# `make run` and `make test` do everything on a fresh Debian machine.
BUILD      ?= build
ASAN_BUILD ?= build-asan
WINDOWS_BUILD ?= build-windows
JOBS       ?= $(shell nproc)

# The package groups of scripts/install-deps.sh that a target needs; the
# value of the target that make was asked for holds for all it builds.
DEPS_GROUPS ?= build
run:     DEPS_GROUPS = build run
windows: DEPS_GROUPS = build windows
package: DEPS_GROUPS = build package
test:    DEPS_GROUPS = all
format:  DEPS_GROUPS = format

.PHONY: all deps build build-asan windows package run test clean format

all: build

deps:
	@./scripts/install-deps.sh $(DEPS_GROUPS)

build: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

# The non-Qt libraries and their tests again, under AddressSanitizer and
# LeakSanitizer, so that fault-injection runs prove nothing leaks.
build-asan: deps
	@cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DQUORVANE_SANITIZE=ON \
	       -DQUORVANE_WITH_APP=OFF -DQUORVANE_WITH_BENCH=OFF >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)

# The Windows build, cross-compiled and run under Wine. The Linux
# quorvane-chart is built first: quorvane-chart.exe must write its bytes.
windows: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD) -j $(JOBS) --target quorvane-chart
	@cmake -S . -B $(WINDOWS_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	       -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64-x86_64.cmake \
	       -DQUORVANE_LINUX_CHART=$(abspath $(BUILD))/app/cli/quorvane-chart >/dev/null
	@cmake --build $(WINDOWS_BUILD) -j $(JOBS)

# The Debian package, quorvane_VERSION_amd64.deb, into the build folder.
package: build
	@cd $(BUILD) && cpack -G DEB

run: build
	@./scripts/run-main.sh $(BUILD)

# Every tree's tests run, whatever an earlier tree gave; then the trees that
# failed are named.
test: build build-asan windows
	@failed=; \
	for tree in $(BUILD) $(ASAN_BUILD) $(WINDOWS_BUILD); do \
	  echo "== ctest in $$tree"; \
	  (cd $$tree && ctest --output-on-failure -j $(JOBS)) || failed="$$failed $$tree"; \
	done; \
	if [ -n "$$failed" ]; then echo "make test: tests failed in:$$failed" >&2; exit 1; fi

format: deps
	@git ls-files '*.h' '*.cc' | xargs clang-format -i

clean:
	@rm -rf $(BUILD) $(ASAN_BUILD) $(WINDOWS_BUILD)
