#!/usr/bin/env bash
# Builds the Debian package (scripts/package.sh) and checks it as a user's machine would see it:
# lintian finds no error; the package holds every file of the installation; it installs with apt;
# the installed desktop entry and AppStream metadata validate; a login shell completes zkm from the
# installed bash completion; the installed ZKMEditor starts on a virtual display with a preset file
# given on its command line, saves a preset, and "Open User Guide" hands the installed guide to
# xdg-open; xdg-mime names the preset type of a saved preset (by its name and by its first bytes);
# the installed guide holds every screenshot. The package is removed again at the end. Needs root
# (or sudo) for apt.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
start_time=$(date +%s)
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
fi

log="$(mktemp /tmp/zkm_package_build.XXXXXX.log)"
if ! bash "${root}/scripts/package.sh" >"${log}" 2>&1; then
    tail -n 40 "${log}" >&2
    echo "FAIL: the package was not built (log: ${log})" >&2
    exit 1
fi
package="$(tail -n 1 "${log}")"
rm -f "${log}"
echo "Package: ${package}"

check_fail()
{
    echo "FAIL: $*" >&2
    exit 1
}

# --- Lintian -----------------------------------------------------------------------------------
lintian_status=0
lintian_output="$(lintian --fail-on error "${package}" 2>&1)" || lintian_status=$?
lintian_output="$(grep -v 'running with root privileges' <<<"${lintian_output}" || true)"
[ -z "${lintian_output}" ] || echo "${lintian_output}"
[ "${lintian_status}" -eq 0 ] || check_fail "lintian reports errors"
echo "PASS: lintian reports no error"

# --- Contents ----------------------------------------------------------------------------------
guide_name="ZKM Editor - User Guide - v1.1.pdf"
expected=(
    ./usr/bin/ZKMEditor
    ./usr/share/applications/com.quenlo.ZKMEditor.desktop
    ./usr/share/metainfo/com.quenlo.ZKMEditor.metainfo.xml
    ./usr/share/mime/packages/zkm-editor.xml
    ./usr/share/icons/hicolor/scalable/apps/com.quenlo.ZKMEditor.svg
    "./usr/share/doc/zkm-editor/${guide_name}"
    ./usr/share/doc/zkm-editor/copyright
    ./usr/share/doc/zkm-editor/changelog.gz
    ./usr/share/man/man1/ZKMEditor.1.gz
)
for size in 16 24 32 48 64 128 256 512; do
    expected+=("./usr/share/icons/hicolor/${size}x${size}/apps/com.quenlo.ZKMEditor.png")
done
build_dir="$(dirname "${package}")"
has_cli=
# The list is taken whole first: grep -q ends at its first match, and under pipefail the writer's
# broken pipe would fail the test.
targets="$(cmake --build "${build_dir}" --target help 2>/dev/null || true)"
if grep -qx '\.\.\. zkm' <<<"${targets}"; then
    has_cli=1
    expected+=(./usr/bin/zkm ./usr/share/man/man1/zkm.1.gz ./usr/share/bash-completion/completions/zkm)
fi
contents="$(dpkg-deb --contents "${package}" | sed -E 's/^([^ ]+ +){5}//')"
for path in "${expected[@]}"; do
    grep -qxF "${path}" <<<"${contents}" || check_fail "the package lacks ${path}"
done
echo "PASS: the package holds all ${#expected[@]} files of the installation"

# --- Installation ------------------------------------------------------------------------------
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get install -y -q "${package}" >/dev/null
remove_package()
{
    "${sudo_cmd[@]}" apt-get remove -y -q zkm-editor >/dev/null 2>&1 || true
}
trap remove_package EXIT
[ -x /usr/bin/ZKMEditor ] || check_fail "ZKMEditor is not installed in /usr/bin"
echo "PASS: the package installs with apt-get"

desktop-file-validate /usr/share/applications/com.quenlo.ZKMEditor.desktop || check_fail "desktop-file-validate"
appstreamcli validate --no-net /usr/share/metainfo/com.quenlo.ZKMEditor.metainfo.xml >/dev/null \
    || check_fail "appstreamcli validate"
echo "PASS: desktop-file-validate and appstreamcli validate accept the installed files"

# bash-completion loads a command's completion when Tab is first pressed after it (its default
# completion, _completion_loader): in a fresh login shell of a user with nothing of their own, that
# must find the installed file, and the function must complete zkm's commands.
if [ -n "${has_cli}" ]; then
    completion_home="$(mktemp -d)"
    completion="$(env -i HOME="${completion_home}" PATH=/usr/bin:/bin TERM=dumb bash -lic \
        '_completion_loader zkm; complete -p zkm; COMP_WORDS=(zkm ba); COMP_CWORD=1; _zkm zkm; echo "${COMPREPLY[*]}"' \
        2>/dev/null)" || true
    rm -rf "${completion_home}"
    [ "${completion}" = $'complete -F _zkm zkm\nbackup' ] \
        || check_fail "a login shell does not complete zkm from the installed completion: ${completion}"
    echo "PASS: a login shell loads zkm's bash completion from the package and completes its commands"
fi

guide="/usr/share/doc/zkm-editor/${guide_name}"
[ -f "${guide}" ] || check_fail "the user guide is not installed"
images_in_pdf="$(pdfimages -list "${guide}" | tail -n +3 | wc -l)"
images_in_guide="$(grep -c '^!\[' "${root}/docs/user-guide.md")"
[ "${images_in_pdf}" -eq "${images_in_guide}" ] \
    || check_fail "the guide PDF has ${images_in_pdf} images, the guide ${images_in_guide}"
for image in "${root}"/docs/images/*.png; do
    grep -qF "(images/$(basename "${image}"))" "${root}/docs/user-guide.md" \
        || check_fail "the guide does not show $(basename "${image}")"
done
echo "PASS: the installed guide holds all ${images_in_pdf} screenshots"

# --- The installed program ---------------------------------------------------------------------
source "${root}/scripts/xvfb.sh"
zkm_start_xvfb
export ZKM_EDITOR_BINARY=/usr/bin/ZKMEditor
source "${root}/tests/e2e/e2e_lib.sh"
# e2e_cleanup ends the shell with the check's status, so whatever else is to be undone comes first.
finish()
{
    local status=$? pid
    for pid in "${e2e_editor_pids[@]}"; do
        kill "${pid}" 2>/dev/null || true
        wait "${pid}" 2>/dev/null || true
    done
    remove_package
    kill "${ZKM_XVFB_PID}" 2>/dev/null || true
    (exit "${status}")
    e2e_cleanup
}
trap finish EXIT

# A home of its own (no guide in its documents folder) and an xdg-open that notes what it opens.
export HOME="${e2e_work}/home"
mkdir -p "${HOME}" "${e2e_work}/bin"
cat >"${e2e_work}/bin/xdg-open" <<EOF
#!/bin/sh
printf '%s\n' "\$1" >>"${e2e_work}/opened"
EOF
chmod +x "${e2e_work}/bin/xdg-open"
export PATH="${e2e_work}/bin:${PATH}"

slot_file="${e2e_work}/slots.bin"
make_slot_file "${slot_file}"
preset="${e2e_work}/check preset.zkp"
make_preset_file_from_slot "${slot_file}" 4 "${preset}"
start_editor "${slot_file}" "${preset}"
editor="$(wait_for_window "Quenlo ZKM Editor - check preset")"
echo "PASS: the installed ZKMEditor opens the preset file given on its command line"

click_preset_button "${editor}" 2 # "Save To File"
saved="${e2e_work}/saved.zkp"
answer_file_dialog "Select Filename to save" "${saved}"
wait_for_window "Quenlo ZKM Editor - saved" >/dev/null
[ "$(file_hex "${saved}")" = "$(file_hex "${preset}")" ] || check_fail "the saved preset differs from the opened one"

"${sudo_cmd[@]}" update-mime-database /usr/share/mime
cp "${saved}" "${e2e_work}/saved-without-extension"
for file in "${saved}" "${e2e_work}/saved-without-extension"; do
    type="$(xdg-mime query filetype "${file}")"
    [ "${type}" = "application/x-zkm-preset" ] || check_fail "xdg-mime gives ${type} for $(basename "${file}")"
done
echo "PASS: xdg-mime gives application/x-zkm-preset for a saved preset, also without its extension"

choose_menu_entry "${editor}" "${help_menu_x}" 0 # Help > Open User Guide
for _ in $(seq 1 $((e2e_timeout * 10))); do
    [ -s "${e2e_work}/opened" ] && break
    sleep 0.1
done
[ "$(cat "${e2e_work}/opened" 2>/dev/null)" = "${guide}" ] || check_fail "Open User Guide did not open ${guide}"
echo "PASS: Open User Guide opens the installed guide through xdg-open"

echo "Package check done in $(($(date +%s) - start_time)) s"
