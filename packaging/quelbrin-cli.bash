# bash completion for quelbrin-cli
_quelbrin_cli() {
    local cur prev words cword
    _init_completion || return

    local commands="translate ports connect rig biss firmware iap ymodem"
    if [[ $cword -eq 1 ]]; then
        COMPREPLY=($(compgen -W "$commands --help --version --verbose" -- "$cur"))
        return
    fi
    local command=${words[1]}

    case $prev in
        --port)
            # Port texts hold spaces; offer the device paths, which every command takes too.
            COMPREPLY=($(compgen -W "$(ls /dev/ttyUSB* /dev/ttyACM* /dev/ttyS* 2>/dev/null)" -- "$cur"))
            return ;;
        --baud)
            COMPREPLY=($(compgen -W "9600 19200 38400 57600 115200 230400 460800 921600" -- "$cur"))
            return ;;
        --type|--device|--watermark)
            COMPREPLY=($(compgen -W "CALIBRATION ZEK_ENCODER ZEK_MT6826S ZEK_MT6835G BiSS_Master ZEK_MT_BISS FENOXA_BISS ABSRESLOVER" -- "$cur"))
            return ;;
        --mode)
            COMPREPLY=($(compgen -W "Factory_Firmware Upgrade_Firmware" -- "$cur"))
            return ;;
        --protocol)
            COMPREPLY=($(compgen -W "Ymodem_128 Ymodem_1K" -- "$cur"))
            return ;;
        --block)
            COMPREPLY=($(compgen -W "128 1024" -- "$cur"))
            return ;;
        --lang)
            COMPREPLY=($(compgen -W "en zh yue jp de" -- "$cur"))
            return ;;
        --app|--boot|--out|--file|--record)
            _filedir
            return ;;
        --axis)
            COMPREPLY=($(compgen -W "First_Caxis Sencond_Caxis" -- "$cur"))
            return ;;
        --points|--line|--speed|--test-speeds|--version|--repeat|--interval)
            return ;;
    esac

    local options=""
    case $command in
        translate) options="--lang" ;;
        connect) options="--port --baud --type --json" ;;
        rig)
            if [[ $cword -eq 2 ]]; then
                COMPREPLY=($(compgen -W "params zero calibrate test --help" -- "$cur"))
                return
            fi
            options="--port --baud --points --line --speed --test-speeds --json --record" ;;
        biss)
            options="--port --baud --json --repeat --interval"
            options+=" master-status set-master= slave-enable=on slave-enable=off slave-status"
            options+=" slave-data set-slave-mode= read-reg= write-reg= clear-slave-fault"
            options+=" clear-master-fault read-resolution write-resolution=" ;;
        firmware) options="--mode --app --boot --watermark --version --out --json" ;;
        iap) options="--port --baud --device --protocol --axis --file --json" ;;
        ymodem)
            options="--port --baud --block --no-start --json"
            if [[ $cur != -* ]]; then
                _filedir
                return
            fi ;;
    esac
    COMPREPLY=($(compgen -W "$options --help" -- "$cur"))
    [[ ${COMPREPLY-} == *= ]] && compopt -o nospace
}
complete -F _quelbrin_cli quelbrin-cli
