#!/usr/bin/env bash
# Builds the Debian package of the editor with CPack: installs what is missing, configures a build
# for the prefix /usr in build-package/ (or $ZKM_PACKAGE_BUILD_DIR), with the user guide required,
# and writes zkm-editor_<version>_<arch>.deb there. Prints the package's path last.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "${root}/scripts/install-deps.sh" --packaging
build_dir="${ZKM_PACKAGE_BUILD_DIR:-${root}/build-package}"

# The same build type as the test build, so that the compiler cache serves both; CPack strips.
ZKM_BUILD_DIR="${build_dir}" bash "${root}/scripts/build.sh" \
    -DCMAKE_INSTALL_PREFIX=/usr -DZKM_BUILD_TESTS=OFF -DZKM_REQUIRE_USER_GUIDE=ON

rm -f "${build_dir}"/*.deb
(cd "${build_dir}" && cpack -G DEB >/dev/null)
package="$(ls "${build_dir}"/*.deb)"
echo "${package}"
