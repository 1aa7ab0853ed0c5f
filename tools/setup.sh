# Set-up shared by run.sh and test.sh: the Debian packages the build, the tests
# and the demo need, and the build into build/.
NORVO_PACKAGES=(
    build-essential cmake
    qtbase5-dev qttools5-dev qttools5-dev-tools
    libqt5serialport5-dev libqt5sql5-sqlite libsqlite3-dev qttranslations5-l10n
    poppler-utils
    python3
    xvfb xauth x11-apps x11-utils imagemagick
    fonts-wqy-zenhei
    clang libclang-rt-14-dev
    dpkg-dev desktop-file-utils
)

install_missing_packages() {
    local missing=()
    for package in "${NORVO_PACKAGES[@]}"; do
        dpkg -s "$package" >/dev/null 2>&1 || missing+=("$package")
    done
    if [ "${#missing[@]}" -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        export DEBIAN_FRONTEND=noninteractive
        apt-get update -qq
        apt-get install -y -qq --no-install-recommends "${missing[@]}"
    fi
}

build_project() {
    install_missing_packages
    cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_UNITY_BUILD=ON
    cmake --build build -j"$(nproc)"
}
