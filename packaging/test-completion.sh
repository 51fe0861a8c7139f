#!/usr/bin/env bash
# Sources the plumex-cli completion in this bash and asks it for words, as Tab would:
# commands, option values, files by extension, and every command's options against what the
# program itself accepts (its --help lists them; it says "needs a value" for those that take one).
# usage: test-completion.sh PLUMEX-CLI COMPLETION-FILE      exit 77: skipped
set -uo pipefail
cli=$(realpath "$1")
script=$(realpath "$2")
framework=${BASH_COMPLETION_SCRIPT:-/usr/share/bash-completion/bash_completion}
if [[ ! -r $framework ]]; then
    echo "SKIP: bash-completion is not installed ($framework missing)"
    exit 77
fi
# shellcheck disable=SC1090
source "$framework"
# shellcheck disable=SC1090
source "$script"

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# The completions for a command line whose last word is being completed, sorted, one a line.
complete_line() {
    COMP_LINE=$1
    COMP_POINT=${#COMP_LINE}
    read -ra COMP_WORDS <<<"$COMP_LINE"
    [[ $COMP_LINE == *" " ]] && COMP_WORDS+=("")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    _plumex_cli plumex-cli "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    ((${#COMPREPLY[@]})) && printf '%s\n' "${COMPREPLY[@]}" | sort
}

expect() {
    local line=$1 want
    want=$(printf '%s\n' "${@:2}" | sort)
    local got
    got=$(complete_line "$line")
    [[ $got == "$want" ]] || fail "'$line' completes to [$(echo $got)], expected [$(echo $want)]"
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
touch a.plx b.svg c.png d.JPG e.txt f.inc g.ppm h.ttf
mkdir folder

expect "plumex-cli " info pov spline2plx check picture text render svg2plx svg ai bmp trace \
    boolean mesh --help --version
expect "plumex-cli boolean " union difference intersection exclusion division
expect "plumex-cli boolean union " a.plx folder
expect "plumex-cli sv" svg svg2plx
expect "plumex-cli info " a.plx folder
expect "plumex-cli svg2plx " b.svg folder
expect "plumex-cli picture " c.png d.JPG folder
expect "plumex-cli trace " c.png d.JPG folder
expect "plumex-cli spline2plx " e.txt f.inc folder
expect "plumex-cli render a.plx -o " c.png g.ppm folder
expect "plumex-cli pov a.plx -o " f.inc folder
expect "plumex-cli pov a.plx --form " prism lathe array conic-prism sphere-sweep sor
expect "plumex-cli pov a.plx --spline " linear b-spline cubic
expect "plumex-cli render a.plx --form l" lathe
expect "plumex-cli check a.plx --line-form s" shared-ends
expect "plumex-cli text Hi --font-file " h.ttf folder
expect "plumex-cli text Hi --style bold" bold bold-italic
expect "plumex-cli info a.plx --j" --json

# Every command's options: those its help lists, and a value taken exactly by the options the
# program asks a value for (so the word after a flag is completed as an option again).
commands=$("$cli" --help | sed -n '/^Commands:/,/^$/s/^  \([a-z0-9]*\) .*/\1/p')
[[ -n $commands ]] || fail "no commands in plumex-cli --help"
for command in $commands; do
    documented=$("$cli" "$command" --help | grep -oE -- '(^|[][ |])(-o|--[a-z][a-z-]*)' |
        tr -d '[]| ' | grep -vx -- --help | sort -u)
    offered=$(complete_line "plumex-cli $command -" | grep -vx -- --help)
    [[ $documented == "$offered" ]] ||
        fail "$command: completion offers [$(echo $offered)], its help lists [$(echo $documented)]"
    for option in $offered; do
        message=$("$cli" "$command" "$option" 2>&1 >/dev/null)
        after=$(complete_line "plumex-cli $command $option -")
        if [[ $message == *"needs a value"* ]]; then
            [[ -z $after ]] || fail "$command $option takes a value, completion offers options"
        else
            [[ -n $after ]] || fail "$command $option is a flag, completion waits for a value"
        fi
    done
done

if ((failures)); then
    echo "$failures completion check(s) failed"
    exit 1
fi
echo "completion: all checks passed"
