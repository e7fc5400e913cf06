# The two commands a newcomer needs: `make run` and `make test`. Both install what is missing.
# Each target builds only what it uses: `make run` the program, `make test` the tests,
# `make test-interop` the tests in which LibreOffice reads what Corvala writes.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo
# The build's own make runs beneath this one: its "Entering directory" lines say nothing new.
MAKEFLAGS += --no-print-directory
# Configures the build folder the first time; after that the build reconfigures itself.
CONFIGURE = test -f $(BUILD)/CMakeCache.txt || cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

.PHONY: all deps build run test test-interop test-repeat test-layout-long deb bench fuzz install clean

all: build

deps:
	@scripts/install-deps.sh build

build: deps
	@$(CONFIGURE)
	cmake --build $(BUILD) -j $(JOBS)

run:
	@scripts/install-deps.sh run
	@$(CONFIGURE)
	cmake --build $(BUILD) -j $(JOBS) --target corvala
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "There is no display to show the editor on (DISPLAY and WAYLAND_DISPLAY are empty)."; \
	  echo "Run it from a desktop session, or under a virtual display:"; \
	  echo "  apt-get install xvfb && xvfb-run -a $(BUILD)/corvala"; \
	  exit 1; \
	fi
	$(BUILD)/corvala

test:
	@scripts/install-deps.sh test
	@$(CONFIGURE)
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --progress -j $(JOBS)

# The random layout comparison with more seeds and changes than `make test` runs (a few minutes).
test-layout-long:
	@scripts/install-deps.sh test
	@$(CONFIGURE)
	scripts/test-layout-long.sh $(BUILD) $(JOBS)

# The only tests in which another program reads Corvala's files. `make test` runs them where
# LibreOffice is installed and skips them otherwise; this target installs LibreOffice Writer
# (hundreds of megabytes, which `make test` spares a newcomer) and runs them alone.
INTEROP_TESTS = ^(Cases/)?LibreOffice(Interop|ReadsSavedCases)\.
test-interop:
	@scripts/install-deps.sh test interop
	@$(CONFIGURE)
	cmake --build $(BUILD) -j $(JOBS) --target rtf_writer_tests
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --progress -j $(JOBS) -R '$(INTEROP_TESTS)'

# The quick test programs (a second or two each), each run twice in one process: a test that
# passes only the first time leans on what an earlier one left behind (ctest runs every case in
# a process of its own, which never shows it).
REPEATED_TESTS = tests/app/app_tests tests/dialogs/dialogs_tests tests/editor/editor_tests \
                 tests/editor/spelling_tests tests/platform/picture_tests tests/platform/platform_tests \
                 tests/rtf/rtf_reader_tests tests/rtf/rtfconvert_tests
test-repeat:
	@scripts/install-deps.sh test
	@$(CONFIGURE)
	cmake --build $(BUILD) -j $(JOBS) --target $(notdir $(REPEATED_TESTS))
	@for program in $(REPEATED_TESTS); do \
	  echo "$$program --gtest_repeat=2"; \
	  QT_QPA_PLATFORM=offscreen $(BUILD)/$$program --gtest_repeat=2 --gtest_brief=1 || exit 1; \
	done

# A Debian package of what `make install` installs, stripped, in the top folder: corvala_*.deb.
deb:
	@scripts/install-deps.sh deb
	@$(CONFIGURE)
	cmake --build $(BUILD) -j $(JOBS) --target installed_files
	cd $(BUILD) && cpack -G DEB -B $(CURDIR)/$(BUILD)/packages
	cp $(BUILD)/packages/corvala_*.deb .
	@ls -1 corvala_*.deb

bench: deps
	@scripts/install-deps.sh bench
	$(MAKE) build
	bench/run.sh $(BUILD)

fuzz:
	@scripts/install-deps.sh fuzz
	cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
	  -DCORVALA_FUZZ=ON -DBUILD_TESTING=OFF
	cmake --build build-fuzz -j $(JOBS) --target fuzz_rtf_reader
	fuzz/run.sh build-fuzz

install: deps
	@$(CONFIGURE)
	cmake --build $(BUILD) -j $(JOBS) --target installed_files
	cmake --install $(BUILD) --strip

clean:
	rm -rf $(BUILD) build-fuzz corvala_*.deb
