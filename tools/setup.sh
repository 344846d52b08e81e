#!/usr/bin/env bash
# Shared set-up of run.sh and test.sh: installs the Debian packages that are missing
# (nothing when all are there), then configures and builds in the folder given ($1).
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-svg-dev libgl-dev
    libbenchmark-dev
    clang libclang-rt-dev
    hunspell hunspell-fr grammalecte-cli poppler-utils valgrind python3
    dpkg-dev appstream strace qt6-translations-l10n
    fonts-dejavu-core
    libhowardhinnant-date-dev tzdata locales
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
if [ ${#missing[@]} -gt 0 ]; then
    # On standard error: the standard output of run.sh is the program's alone.
    echo "Installation des paquets manquants : ${missing[*]}" >&2
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq >&2
    "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >&2
fi

# One test runs in the French locale the window meets on a user's machine.
if ! locale -a 2>/dev/null | grep -qix 'fr_FR.utf-\?8'; then
    echo "Création de la locale fr_FR.UTF-8" >&2
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" sed -i 's/^# *\(fr_FR.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -qx 'fr_FR.UTF-8 UTF-8' /etc/locale.gen || echo 'fr_FR.UTF-8 UTF-8' | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
    "${sudo_cmd[@]}" locale-gen >&2
fi

selenarc_build() {
    local folder=$1
    shift
    mkdir -p "$folder"
    cmake -S . -B "$folder" -G Ninja "$@" > "$folder/configure.log" 2>&1 || { cat "$folder/configure.log"; return 1; }
    cmake --build "$folder" --parallel "$(nproc)"
}
