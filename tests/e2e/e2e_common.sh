# What every end-to-end script needs: failing with a message, naming its steps and waiting for
# a condition. A script that sets `e2e_name` has its messages prefixed with it.

fail() {
  echo "${e2e_name:+$e2e_name: }FAIL: $*" >&2
  exit 1
}
step() {
  if [[ -n ${e2e_name:-} ]]; then echo "$e2e_name: $*"; else echo "-- $*"; fi
}

# wait_until <seconds> <command...>: polls the command until it succeeds.
wait_until() {
  local deadline=$((SECONDS + $1 * ${E2E_PATIENCE:-3}))  # slack for loaded machines
  shift
  until "$@"; do
    ((SECONDS < deadline)) || return 1
    sleep 0.05
  done
}
