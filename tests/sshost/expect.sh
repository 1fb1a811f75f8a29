# The checks of the host shell's scripted tests, sourced by them: each check prints what it ran when
# it fails, and the script stops at the first failing check.

fail() {
  echo "FAILED: $1" >&2
  exit 1
}
# expect NAME PATTERN COMMAND...: the command succeeds and its output (both streams) matches PATTERN.
expect() {
  name=$1 pattern=$2
  shift 2
  out=$("$@" 2>&1) || fail "$name: exit status $? from $*:
$out"
  printf '%s\n' "$out" | grep -Eq -- "$pattern" || fail "$name: no \"$pattern\" in the output of $*:
$out"
}
# refuse NAME PATTERN COMMAND...: the command fails and its output matches PATTERN.
refuse() {
  name=$1 pattern=$2
  shift 2
  if out=$("$@" 2>&1); then fail "$name: $* succeeded:
$out"; fi
  printf '%s\n' "$out" | grep -Eq -- "$pattern" || fail "$name: no \"$pattern\" in the output of $*:
$out"
}
