# Shared by scripts/i386pc/{image,test}; sourced, never run.
# The emulated 32-bit PC: where its image is cached and how it is booted.

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
pc_dir=$root/scripts/i386pc
# Outside the tree, so a fresh clone on this machine finds a built image.
cache_root=${PC_CACHE:-/var/cache/confession-show/i386pc}
suite=bookworm

die() { echo "${0##*/}: $*" >&2; exit 1; }

# Everything the image is made from: a change to any of them makes a new
# one. (How it is booted is not among them.)
image_inputs() {
  echo "$pc_dir/image" "$pc_dir/packages" "$pc_dir/guest/init" "$pc_dir/guest/firstboot" \
    "$root/scripts/wine/lib.sh" "$root/scripts/wine/golden" "$root/scripts/wine/bench.reg"
}

image_key() {
  # The file names relative to the tree, so clones in other places agree.
  local f
  {
    echo "$suite"
    for f in $(image_inputs); do
      echo "${f#"$root"/}"
      cat "$f"
    done
  } | sha256sum | cut -c1-16
}

# The archive address of the machine's own Debian entry (deb822 or one-line
# format), so the image comes from wherever this machine gets its packages.
archive_address() {
  local address=''
  if [[ -f /etc/apt/sources.list.d/debian.sources ]]; then
    address=$(awk '
      /^Types:/ { deb = ($0 ~ /(^|[ \t])deb([ \t]|$)/) }
      /^Suites:/ { main = ($0 ~ /[ \t]'"$suite"'([ \t]|$)/) }
      /^URIs:/ { uri = $2 }
      /^$/ { if (deb && main && uri != "") { print uri; exit } deb = main = 0; uri = "" }
      END { if (deb && main && uri != "") print uri }' /etc/apt/sources.list.d/debian.sources | head -n 1)
  fi
  if [[ -z $address && -f /etc/apt/sources.list ]]; then
    address=$(awk -v s="$suite" '{ sub(/\[[^]]*\][ \t]*/, "") } $1 == "deb" && $3 == s { print $2; exit }' /etc/apt/sources.list)
  fi
  [[ -n $address ]] || die "no Debian archive for $suite in this machine's APT sources"
  echo "$address"
}

# boot_pc DIR STAGE SHARE LOG TIMEOUT [qemu options...]: boots the image in
# DIR with the share mounted at /io in the guest, where pid1 runs
# /io/STAGE; ends when the guest powers off (or after TIMEOUT seconds).
boot_pc() {
  local dir=$1 stage=$2 share=$3 log=$4 limit=$5
  shift 5
  # -smap off: qemu's TCG otherwise faults the iret of every 32-bit Wine
  # process back to user mode, and each one dies at once.
  timeout --kill-after=10 "$limit" qemu-system-i386 -M pc -accel tcg,thread=multi -smp 2 \
    -cpu max,-smap -m 3072 \
    -kernel "$dir/vmlinuz" -initrd "$dir/initrd.gz" \
    -append "console=ttyS0 quiet loglevel=3 panic=1 stage=$stage" \
    -drive "file=$dir/root.img,format=raw,if=virtio,cache=unsafe" \
    -virtfs "local,path=$share,mount_tag=io,security_model=none,id=io" \
    -nographic -no-reboot -nic none "$@" </dev/null >"$log" 2>&1
}
