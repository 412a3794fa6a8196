# Shared by scripts/run and scripts/test: install what is missing, then configure a build folder.
PACKAGES=(build-essential cmake ninja-build qt6-base-dev qt6-multimedia-dev libgtest-dev fonts-dejavu-core)

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

# The locale tests read numbers under a German locale, whose decimal separator is ",".
ensure_german_locale() {
    if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
        as_root sed -i 's/^# *\(de_DE.UTF-8 UTF-8\)/\1/' /etc/locale.gen
        grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
        as_root locale-gen
    fi
}

configure() {
    local dir=$1; shift
    cmake -S "$ROOT" -B "$dir" -G Ninja "$@"
}
