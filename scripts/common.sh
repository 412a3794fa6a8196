# Shared by scripts/run and scripts/test: install what is missing, then configure a build folder.
PACKAGES=(build-essential cmake ninja-build qt6-base-dev libgtest-dev)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_missing() {
    local missing=()
    for p in "${PACKAGES[@]}" "$@"; do
        dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        as_root apt-get update
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y "${PACKAGES[@]}" "$@"
    fi
}

configure() {
    local dir=$1; shift
    cmake -S "$ROOT" -B "$dir" -G Ninja "$@"
}
