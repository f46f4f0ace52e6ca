# Shared by the system tests, the benchmarks and the scripts (POSIX sh): the settings file a
# run starts from.
#
# settings_reg [NAME=VALUE...] prints it. NAME is Position, Hours, Minutes, Seconds (texts),
# AutoStart, Minimized, MinimizeTell (0 or 1), or Background (the desktop colour, "R G B"; none
# by default). Unnamed values: centred, a one-minute period, nothing automatic, no notice.
settings_reg() {
    _position=Center _hours=0 _minutes=1 _seconds=0 _autostart=0 _minimized=0 _tell=0 _background=
    for _value in "$@"; do
        case $_value in
        Position=*) _position=${_value#*=} ;;
        Hours=*) _hours=${_value#*=} ;;
        Minutes=*) _minutes=${_value#*=} ;;
        Seconds=*) _seconds=${_value#*=} ;;
        AutoStart=*) _autostart=${_value#*=} ;;
        Minimized=*) _minimized=${_value#*=} ;;
        MinimizeTell=*) _tell=${_value#*=} ;;
        Background=*) _background=${_value#*=} ;;
        *) echo "settings_reg: unknown value $_value" >&2; return 2 ;;
        esac
    done
    printf 'REGEDIT4\n\n'
    [ -z "$_background" ] ||
        printf '[HKEY_CURRENT_USER\\Control Panel\\Colors]\n"Background"="%s"\n\n' "$_background"
    printf '[HKEY_CURRENT_USER\\Software\\Halvane Software\\Tessary]\n'
    printf '"AutoStart"=dword:0000000%s\n"Hours"="%s"\n' "$_autostart" "$_hours"
    printf '"Minimized"=dword:0000000%s\n"MinimizeTell"=dword:0000000%s\n' "$_minimized" "$_tell"
    printf '"Minutes"="%s"\n"Position"="%s"\n"Seconds"="%s"\n' "$_minutes" "$_position" "$_seconds"
}
