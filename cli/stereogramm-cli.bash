# bash completion for stereogramm-cli: options, the values they take, the built-in
# samples and file names. A new option is one word in `options` (and a case below when its
# value is a word from a list).
_stereogramm_cli() {
    # The words come from the line itself, since bash splits sample:1 at its colon.
    local line=${COMP_LINE:0:COMP_POINT}
    local cur=${line##*[[:space:]]}
    local before=${line%"$cur"}
    before=${before%"${before##*[![:space:]]}"}
    local prev=${before##*[[:space:]]}
    local options='--depth --mask --font --text-profile --camera --rotate --invert-depth --fit --depth-out --type --blur --dot-color
        --dot-intensity --oversampling --observ-distance --max-depth --min-depth --dpi --width
        --height --separation --large --paper --landscape --guide-dots --cross-eyed --threads --seed -o --output --format -j --jobs --frames --spin --fps --animate --same-dots --print-settings --reveal --view -q --quiet
        --no-warnings --list-samples -h --help --version'
    local words= files=
    case $prev in
        --depth)
            # reveal:FILE names a stereogram file after its colon.
            if [[ $cur == reveal:* ]]; then
                COMPREPLY=($(compgen -f -- "${cur#reveal:}"))
                compopt -o filenames 2>/dev/null
                return 0
            fi
            words="none - reveal: $(printf 'sample:%s ' {1..28})" files=1 ;;
        --mask) words="none - $(printf 'texture:%s ' {1..14})" files=1 ;;
        --type) words='fast-random-dot colored-dot random-dot-textured textured' ;;
        --blur) words='none light medium heavy' ;;
        --dot-color) words='black-white rgb' ;;
        --format) words='png jpg bmp ppm webp' ;;
        --paper) words='A5 A4 A3 A2 letter legal' ;;
        --text-profile) words='round flat' ;;
        --camera) words='orthographic perspective' ;;
        --font) files=1 ;;
        -o | --output) words='-' files=1 ;;
        --depth-out | --reveal) files=1 ;;
        --view) words='anaglyph pair wiggle relief' ;;
        --dot-intensity | --oversampling | --observ-distance | --max-depth | --min-depth | --dpi | \
            --width | --height | --separation | --threads | --rotate | --seed | -j | --jobs | --frames | --spin | --fps) ;;
        *)
            if [[ $cur == -* ]]; then
                COMPREPLY=($(compgen -W "$options" -- "$cur"))
                return
            fi
            files=1 ;;
    esac
    COMPREPLY=($(compgen -W "$words" -- "$cur"))
    if [[ -n $files ]]; then
        COMPREPLY+=($(compgen -f -- "$cur"))
        compopt -o filenames 2>/dev/null
    fi
    # Bash replaces only what follows the last colon.
    [[ $cur == *:* ]] && COMPREPLY=("${COMPREPLY[@]#"${cur%"${cur##*:}"}"}")
    return 0
}
complete -F _stereogramm_cli stereogramm-cli
