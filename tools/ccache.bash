# Sourced by the build commands with the tree's root as $1: compiles go through
# ccache (tools/install-deps installs it), so sources compiled once, in this build
# directory, another one or another clone of the tree, are not compiled again.
# Paths under the tree are hashed relative to it, and kept out of the debug
# information (which would otherwise carry the build directory), so that a clone
# elsewhere hits the same entries. Configure options go in ccache_cmake_options.
ccache_cmake_options=()
if command -v ccache >/dev/null 2>&1; then
    export CCACHE_BASEDIR=$1
    # Qt Test names the test's build and source directories in two macros, which only
    # QFINDTESTDATA reads (no test here may: a test names its data folder with a macro
    # of its own): left out of the hash, so that the tests of another clone hit too.
    export CCACHE_IGNOREOPTIONS="-DQT_TESTCASE_BUILDDIR=* -DQT_TESTCASE_SOURCEDIR=*"
    ccache_cmake_options=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache
        "-DCMAKE_CXX_FLAGS=${CXXFLAGS:+$CXXFLAGS }-fdebug-prefix-map=$1=.")
fi
