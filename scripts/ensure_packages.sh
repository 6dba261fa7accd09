# Sourced by scripts/play and scripts/test: installs the Debian packages given
# as arguments when some are missing. As root it runs apt-get; otherwise it
# prints the exact command to run and stops. A first argument
# --no-install-recommends leaves out what the packages only recommend.

ensure_packages() {
    local options=()
    if [ "${1:-}" = --no-install-recommends ]; then
        options=("$1")
        shift
    fi
    local missing=()
    local package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$package")
        fi
    done
    if [ "${#missing[@]}" -eq 0 ]; then
        return 0
    fi
    if [ "$(id -u)" -eq 0 ]; then
        echo "Installing missing packages: ${missing[*]}"
        # Another installer may hold the package lock for a while: wait for it.
        apt-get -o DPkg::Lock::Timeout=600 update
        DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 install -y "${options[@]}" "${missing[@]}"
    else
        echo "Missing Debian packages. Install them with:" >&2
        echo "  sudo apt-get install -y ${options[*]} ${missing[*]}" >&2
        exit 1
    fi
}
