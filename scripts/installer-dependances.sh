#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need. Idempotent; silent
# when everything is already there. Run as root (or with sudo available).
set -euo pipefail

paquets=(
  cmake ninja-build g++ pkg-config         # build
  libblkid-dev                             # volume labels and serials
  libutf8proc-dev                          # letter case in every script
  qt6-base-dev                             # the Qt side (printing, windows)
  qt6-svg-dev                              # our icons, drawn as SVG
  qt6-translations-l10n                    # Qt's own dialog buttons in French
  xvfb xauth                               # the window program's tests on a virtual X display
  shared-mime-info desktop-file-utils      # the "Liste de fichiers" type and the menu entry
  fonts-liberation2                        # Arial's metrics for printed pages
  poppler-utils                            # pdftoppm, pdfinfo for the printing tests
  libgtest-dev libgmock-dev                # tests
  libfuse3-dev fuse3                       # the slow FUSE mirror of the capture benchmark and its test
  dosfstools exfatprogs ntfs-3g e2fsprogs  # file-system images for the volume tests
  strace                                   # proof that a capture opens no special file
  python3                                  # a listener of another user in the single-instance tests
  acl                                      # setfacl, getfacl: a save keeps the file's ACL
  clang libclang-rt-14-dev                 # fuzzing (libFuzzer)
)

manquants=()
for p in "${paquets[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    manquants+=("$p")
  fi
done
[ ${#manquants[@]} -eq 0 ] && exit 0

echo "Installation de : ${manquants[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${manquants[@]}" >/dev/null
