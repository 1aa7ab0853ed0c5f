# Debian packages the build, the tests and the demo need; sourced by run.sh and test.sh.
NORVO_PACKAGES=(
    build-essential cmake
    qtbase5-dev qttools5-dev qttools5-dev-tools
    libqt5serialport5-dev libqt5sql5-sqlite
    poppler-utils
    xvfb xauth x11-apps x11-utils imagemagick
    fonts-wqy-zenhei
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
