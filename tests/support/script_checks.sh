# Shared start of the script tests (sourced): the program under test, a scratch folder removed at
# exit, and fail, which reports one failure and counts it.
set -u
selenarc=$1
failures=0
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() {
    echo "ÉCHEC : $*"
    failures=$((failures + 1))
}
