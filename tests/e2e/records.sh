# What the program leaves on disk, as the end-to-end tests and the soak read it (sourced).

# e2e_temporaries FOLDER...: the program's own temporary items there, one a line (a temporary
# folder once, not its content): copies and moves, the editor's save, the settings file.
e2e_temporaries() {
  find "$@" \( -name '.torvanecommander_tmp_*' -o -name '.torvane_save_*' -o -name 'torvanecommander.cset.*.tmp' \) \
    -prune -print 2>/dev/null
}

# e2e_settings_valid FILE: the 44-byte settings record: unscrambled, its magic, version 1 and
# FNV-1a check value hold.
e2e_settings_valid() {
  local key="MERIDAN-KOLVE-93" b i k h=2166136261
  b=($(od -An -v -tu1 "$1" 2>/dev/null))
  [ ${#b[@]} -eq 44 ] || return 1
  for i in {0..43}; do printf -v k %d "'${key:i%16:1}"; b[i]=$((b[i] ^ ((i * 31 + 17) & 255) ^ k)); done
  for i in {0..39}; do h=$((((h ^ b[i]) * 16777619) & 0xFFFFFFFF)); done
  [ "$(printf %02x "${b[@]:0:12}")" = 545256534554310001000000 ] &&
    [ $h -eq $((b[40] | b[41] << 8 | b[42] << 16 | b[43] << 24)) ]
}
