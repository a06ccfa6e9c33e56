# End-to-end checks of radexa-cli: run with -DCLI=<path to radexa-cli> -P <this file>.
# Each case runs the program as a whole process and checks stdout, stderr and exit status.

if(NOT CLI OR NOT EXISTS "${CLI}")
    message(FATAL_ERROR "CLI must name the radexa-cli program (got '${CLI}')")
endif()

set(failures 0)

function(fail name what)
    message(SEND_ERROR "[${name}] ${what}")
    math(EXPR n "${failures} + 1")
    set(failures ${n} PARENT_SCOPE)
endfunction()

# cli_ok(NAME n ARGS a... LINES "whole line"... HAS "text"... FIRST "first line"
#        MATCHES regex...)
# Exit status 0, nothing on stderr; every LINES entry is one whole line of stdout.
function(cli_ok)
    cmake_parse_arguments(C "" "NAME;FIRST;DIR" "ARGS;LINES;HAS;MATCHES" ${ARGN})
    if(NOT C_DIR)
        set(C_DIR ".")
    endif()
    execute_process(COMMAND "${CLI}" ${C_ARGS} OUTPUT_VARIABLE out ERROR_VARIABLE err
                    RESULT_VARIABLE rc WORKING_DIRECTORY "${C_DIR}")
    if(NOT rc EQUAL 0)
        fail("${C_NAME}" "exit status ${rc}, stderr: ${err}")
    endif()
    if(NOT err STREQUAL "")
        fail("${C_NAME}" "unexpected stderr: ${err}")
    endif()
    foreach(line IN LISTS C_LINES)
        string(FIND "\n${out}" "\n${line}\n" at)
        if(at EQUAL -1)
            fail("${C_NAME}" "no line '${line}' in:\n${out}")
        endif()
    endforeach()
    foreach(text IN LISTS C_HAS)
        string(FIND "${out}" "${text}" at)
        if(at EQUAL -1)
            fail("${C_NAME}" "no '${text}' in:\n${out}")
        endif()
    endforeach()
    foreach(regex IN LISTS C_MATCHES)
        if(NOT out MATCHES "${regex}")
            fail("${C_NAME}" "output does not match '${regex}':\n${out}")
        endif()
    endforeach()
    if(DEFINED C_FIRST)
        string(FIND "${out}" "\n" eol)
        string(SUBSTRING "${out}" 0 ${eol} first)
        if(NOT first STREQUAL C_FIRST)
            fail("${C_NAME}" "first line is '${first}', expected '${C_FIRST}'")
        endif()
    endif()
    set(failures ${failures} PARENT_SCOPE)
endfunction()

# cli_bad(NAME n ARGS a... STDERR regex): exit status 2, nothing on stdout, one line on
# stderr that matches the regex.
function(cli_bad)
    cmake_parse_arguments(C "" "NAME;STDERR;DIR" "ARGS" ${ARGN})
    if(NOT C_DIR)
        set(C_DIR ".")
    endif()
    execute_process(COMMAND "${CLI}" ${C_ARGS} OUTPUT_VARIABLE out ERROR_VARIABLE err
                    RESULT_VARIABLE rc WORKING_DIRECTORY "${C_DIR}")
    if(NOT rc EQUAL 2)
        fail("${C_NAME}" "exit status ${rc}, expected 2")
    endif()
    if(NOT out STREQUAL "")
        fail("${C_NAME}" "stdout not empty: ${out}")
    endif()
    if(NOT err MATCHES "^radexa-cli: [^\n]*\n$")
        fail("${C_NAME}" "stderr is not one line: '${err}'")
    endif()
    if(NOT err MATCHES "${C_STDERR}")
        fail("${C_NAME}" "stderr '${err}' does not match '${C_STDERR}'")
    endif()
    set(failures ${failures} PARENT_SCOPE)
endfunction()

# --- The start-up station and the calculation -------------------------------------------

cli_ok(NAME startup
    LINES "Ham-Band: 2m" "Freq. [MHz]: 144.00 - 146.00" "Power [W]: 100.00" "Mode: SSB"
          "E-Field Limit  [V/m]: 27.50" "Modulation Factor: 0.50" "Intermittend Factor: 0.50"
          "Resulting Factor: 0.25" "Attenuation [dB/100m]: 7.73" "Cable Attenuation [dB]: 0.77"
          "Combined Attenuation between TX Output and Antenna Input [dB]: 0.77"
          "Ant. Input Power [W]: 83.70" "EIRP [W]: 83.70" "Distance [m]: 0.91"
          "Nearfield Conds [m]: 0.33" "Antenna Gain (dBi): 0.00")
cli_ok(NAME startup-json ARGS --json
    MATCHES "^{\"band\":\"2m\",\"frequency\":144,\"e_limit\":27.5,\"mode_factor\":0.5,\"duty_cycle\":0.5,\"factor\":0.25,\"cable_att100\":7.7297705[0-9]*,\"cable_att\":0.77297705[0-9]*,\"total_att\":0.77297705[0-9]*,\"gain\":0,\"power\":100,\"ant_in_power\":83.6955[0-9]*,\"eirp\":83.6955[0-9]*,\"mean_eirp\":20.9238[0-9]*,\"safety_distance\":0.91106[0-9]*,\"near_field_limit\":0.33134[0-9]*}\n$")
cli_ok(NAME given-distance ARGS --distance 10
    FIRST "Power [W]: 12047.64" LINES "Distance [m]: 10.00" "E-Field Limit  [V/m]: 27.50")
cli_ok(NAME given-distance-comma ARGS --distance 10,0 --json
    HAS "\"power\":12047.64,"
    MATCHES "\"safety_distance\":(9\\.99999|10\\.00000)[0-9]*,")
cli_ok(NAME power-zero ARGS --power 0
    LINES "Ant. Input Power [W]: 0.00" "EIRP [W]: 0.00" "Distance [m]: ---")
cli_ok(NAME power-zero-json ARGS --power 0 --json
    HAS "\"power\":0," "\"eirp\":0," "\"safety_distance\":null,")
cli_ok(NAME gain-doubles-eirp ARGS --gain 3 --length 0 LINES "EIRP [W]: 199.53"
       "Ant. Input Power [W]: 100.00")
cli_ok(NAME attenuation-halves ARGS --length 0 --other-loss 3
    LINES "Ant. Input Power [W]: 50.12" "Combined Attenuation between TX Output and Antenna Input [dB]: 3.00")
cli_ok(NAME comma-and-point ARGS --power 1,5 --gain=2.5 LINES "Power [W]: 1.50" "Antenna Gain (dBi): 2.50")

# --- Fixed frequency --------------------------------------------------------------------

cli_ok(NAME fixed-145 ARGS --frequency 145
    LINES "Ham-Band:" "Freq. [MHz]: 145.00" "E-Field Limit  [V/m]: 27.50" "Nearfield Conds [m]: 0.33")
cli_ok(NAME fixed-145-json ARGS --frequency 145 --json HAS "{\"band\":null,\"frequency\":145,")
cli_ok(NAME fixed-1.9 ARGS --frequency 1.9 LINES "E-Field Limit  [V/m]: 63.12")
cli_ok(NAME fixed-1,9 ARGS --frequency 1,9 LINES "E-Field Limit  [V/m]: 63.12")

# --- Bands, limits and factors ----------------------------------------------------------

cli_ok(NAME band-160m ARGS --band 160m LINES "E-Field Limit  [V/m]: 61.52" "Freq. [MHz]: 1.81 - 2.00")
cli_ok(NAME band-70cm ARGS --band 70cm LINES "E-Field Limit  [V/m]: 28.51" "Attenuation [dB/100m]: 15.02")
cli_ok(NAME band-23cm ARGS --band 23cm LINES "Freq. [MHz]: 1240.0 - 1300.0" "E-Field Limit  [V/m]: 48.42")
cli_ok(NAME band-3cm ARGS --band 3cm LINES "Freq. [MHz]: 10000 - 10500" "Attenuation [dB/100m]: 142.03")
cli_ok(NAME am-bnetza ARGS --mode AM --factors BNetzA LINES "Modulation Factor: 0.38")
cli_ok(NAME am-bnetza-long ARGS --mode AM --factors "BNetzA (Germany)" LINES "Modulation Factor: 0.38")
cli_ok(NAME cw-bnetza ARGS --mode CW --factors BNetzA LINES "Modulation Factor: 1.00")
cli_ok(NAME cw-fcc ARGS --mode CW LINES "Modulation Factor: 0.40" "Resulting Factor: 0.20")
cli_ok(NAME unity ARGS --mode AM --factors 1 LINES "Modulation Factor: 1.00")
cli_ok(NAME gsm-fcc ARGS --mode GSM LINES "Modulation Factor: 1.00" "Mode: GSM")
cli_ok(NAME all-shows-alle ARGS --mode All LINES "Mode: Alle" "Modulation Factor: 1.00")
cli_ok(NAME fm-tx6 ARGS --mode FM --rhythm "TX6 RX0"
    LINES "Intermittend Factor: 1.00" "Resulting Factor: 1.00")
cli_ok(NAME tx1 ARGS --rhythm "TX1 RX5" LINES "Intermittend Factor: 0.17")

# --- Feed line --------------------------------------------------------------------------

cli_ok(NAME rg58-20m ARGS --band 20m --cable RG58 LINES "Attenuation [dB/100m]: 5.67")
cli_ok(NAME h2000-23cm ARGS --band 23cm --cable H2000 LINES "Attenuation [dB/100m]: 14.86")
cli_ok(NAME aircom-lw ARGS --band LW --cable "Aircom plus" LINES "Attenuation [dB/100m]: 0.23")
cli_ok(NAME table-point-low ARGS --frequency 0.1 --json HAS "\"cable_att100\":0.344,")
cli_ok(NAME table-point-10000 ARGS --frequency 10000 --json HAS "\"cable_att100\":142.0333,")
cli_ok(NAME table-point-20000 ARGS --frequency 20000 --json HAS "\"cable_att100\":266.7,")
cli_ok(NAME no-cable ARGS --length 0 --cable RG174
    LINES "Cable Attenuation [dB]: 0.00" "Cable Length [m]: 0.00")
cli_ok(NAME all-zero ARGS --length 0 --other-loss 0
    LINES "Combined Attenuation between TX Output and Antenna Input [dB]: 0.00"
          "Other Attenuations [dB]: 0.00")
cli_ok(NAME length-25 ARGS --length 25 LINES "Cable Length [m]: 25.00" "Cable Attenuation [dB]: 1.93")

# --- All bands --------------------------------------------------------------------------

cli_ok(NAME all-bands-json ARGS --all-bands --json
    MATCHES "^.\n{\"band\":\"LW\",\"frequency\":0.1357,\"e_limit\":87,"
            "{\"band\":\"160m\",[^\n]*\"e_limit\":61.518[0-9]*,"
            "{\"band\":\"3cm\",\"frequency\":10000,\"e_limit\":61,[^\n]*}\n.\n$")
execute_process(COMMAND "${CLI}" --all-bands --json OUTPUT_VARIABLE out)
string(REGEX MATCHALL "\"band\":" bands "${out}")
list(LENGTH bands n)
string(SUBSTRING "${out}" 0 1 open)
string(REGEX REPLACE ".*(.)\n$" "\\1" close "${out}")
if(NOT n EQUAL 18 OR NOT open STREQUAL "[" OR NOT close STREQUAL "]")
    fail(all-bands-count "${n} rows in '${open}' '${close}', expected 18 in [ ]")
endif()
cli_ok(NAME all-bands-text ARGS --all-bands --distance 5
    MATCHES "^Power \\[W\\]\tHam-Band\tFreq\\. \\[MHz\\]\t"
            "\n[0-9.]+\tLW\t0.1357 - 0.1378\t[^\n]*\t5.00\t351.61\n"
            "\n[0-9.]+\t3cm\t10000 - 10500\t[^\n]*\t5.00\t0.00\n$")

# --- Help and version -------------------------------------------------------------------

cli_ok(NAME help ARGS --help MATCHES "^Usage: radexa-cli ")
cli_ok(NAME help-anywhere ARGS --band 5m --help --foo MATCHES "^Usage: radexa-cli ")
cli_ok(NAME version ARGS --version MATCHES "^radexa-cli [0-9]+\\.[0-9]+\\.[0-9]+\n$")
cli_ok(NAME mode-alle ARGS --mode Alle LINES "Mode: Alle" "Modulation Factor: 1.00")
cli_ok(NAME factors-none ARGS --mode AM --factors none LINES "Modulation Factor: 1.00")

# Output that cannot be written: one line on stderr, exit status 1.
foreach(args "" "--help" "--version" "--all-bands;--json")
    execute_process(COMMAND "${CLI}" ${args} OUTPUT_FILE /dev/full ERROR_VARIABLE err RESULT_VARIABLE rc)
    if(NOT rc EQUAL 1 OR NOT err MATCHES "^radexa-cli: cannot write the output: [^\n]+\n$")
        fail("stdout-full ${args}" "status ${rc}, stderr '${err}'")
    endif()
endforeach()

# --- Bad input: one line on stderr, exit status 2, nothing on stdout ---------------------

cli_bad(NAME unknown-option ARGS --foo STDERR "'--foo'.*allowed: --band")
cli_bad(NAME unknown-band ARGS --band 5m STDERR "--band: .*'5m'.*allowed: LW, 160m")
cli_bad(NAME unknown-mode ARGS --mode USB STDERR "--mode: .*allowed: CW, SSB")
cli_bad(NAME unknown-rhythm ARGS --rhythm TX3 STDERR "--rhythm: .*allowed: TX6 RX0")
cli_bad(NAME unknown-factors ARGS --factors ICNIRP STDERR "--factors: .*allowed: FCC, BNetzA")
cli_bad(NAME unknown-cable ARGS --cable RG8 STDERR "--cable: .*allowed: Aircom plus")
cli_bad(NAME exponent-after-point ARGS --power 1.5e3 STDERR "--power: '1.5e3' is not a number")
cli_bad(NAME point-first ARGS --power .5 STDERR "--power: '.5' is not a number")
cli_bad(NAME not-a-number ARGS --length ten STDERR "--length: 'ten' is not a number")
cli_bad(NAME missing-value ARGS --gain STDERR "--gain: a value is missing; allowed: a gain in dBi")
cli_bad(NAME missing-band ARGS --band STDERR "--band: a value is missing; allowed: LW, 160m")
cli_bad(NAME negative-power ARGS --power -5 STDERR "--power: Power must not be negative!.*allowed")
cli_bad(NAME negative-length ARGS --length -3
    STDERR "--length: Cable length must be a positive real number!.*allowed")
cli_bad(NAME negative-loss ARGS --other-loss -1
    STDERR "--other-loss: Attenuation must be a positive real number!.*allowed")
cli_bad(NAME negative-distance ARGS --distance -1 STDERR "--distance: .*allowed")
cli_bad(NAME no-limit-0 ARGS --frequency 0 STDERR "--frequency: No E-field limit.*allowed")
cli_bad(NAME no-limit-negative ARGS --frequency -145 STDERR "--frequency: No E-field limit")
cli_bad(NAME no-limit-low ARGS --frequency 0.0029 STDERR "--frequency: No E-field limit")
cli_bad(NAME no-limit-high ARGS --frequency 300000 STDERR "--frequency: No E-field limit")
cli_bad(NAME cable-below ARGS --frequency 0.05 STDERR "--frequency: No cable attenuation")
cli_bad(NAME cable-24g ARGS --frequency 24048 STDERR "--frequency: No cable attenuation.*cable length to 0")
cli_ok(NAME no-cable-24g ARGS --frequency 24048 --length 0
    LINES "Attenuation [dB/100m]: ---" "Cable Attenuation [dB]: 0.00" "E-Field Limit  [V/m]: 61.00"
          "Ant. Input Power [W]: 100.00")
cli_ok(NAME no-cable-24g-json ARGS --frequency 24048 --length 0 --json
    HAS "\"cable_att100\":null," "\"total_att\":0,")
cli_ok(NAME minus-zero ARGS --length -0 --other-loss -0 --json HAS "\"total_att\":0,")
cli_ok(NAME minus-zero-text ARGS --power -0 --length -0 --other-loss -0
    LINES "Power [W]: 0.00" "Cable Length [m]: 0.00" "Other Attenuations [dB]: 0.00"
          "Ant. Input Power [W]: 0.00" "EIRP [W]: 0.00")
cli_bad(NAME cable-above ARGS --frequency 20000,5 STDERR "--frequency: No cable attenuation")
cli_bad(NAME band-and-frequency ARGS --band 2m --frequency 145 STDERR "--band and --frequency")
cli_bad(NAME all-bands-and-band ARGS --all-bands --band 2m STDERR "--all-bands: ")
cli_bad(NAME flag-with-value ARGS --json=1 STDERR "unknown option '--json=1'")
cli_bad(NAME overflow ARGS --power 1e308 --gain 100 STDERR "--gain.*too large")
cli_bad(NAME bad-after-good ARGS --power 5 --band 2m --mode xx STDERR "--mode: ")
cli_bad(NAME power-and-distance ARGS --power 5 --distance 10 STDERR "--power and --distance exclude each other")
# An option given twice is refused, never decided by its last value.
foreach(args "--power;1;--power;2" "--band;2m;--band=70cm" "--station;a;--station;b"
        "--model;dipole;--model;vertical" "--report;a.pdf;--report;b.pdf")
    list(GET args 0 option)
    cli_bad(NAME "twice ${args}" ARGS ${args} STDERR "^radexa-cli: ${option}: given twice [(]'")
endforeach()

# --- Antennas and station files ------------------------------------------------------------
# A working folder with a small catalogue, one angle-data file and station files written
# as the program writes them (Windows-1252 labels, CR LF).

set(work "${CMAKE_CURRENT_BINARY_DIR}/cli_station_work")
file(REMOVE_RECURSE "${work}")
file(MAKE_DIRECTORY "${work}/ang")
file(WRITE "${work}/Antennas.txt"
     "[Example]\r\nMyAnt,Yagi,144,7.456,4,432,11,9,#\r\nDipole,Dipole,14.0,2.15,1,#\r\n")
file(WRITE "${work}/AntUser.txt" "[Mine]\r\nLoop80,Loop,3.6,2.1,1,#\r\n")
file(WRITE "${work}/ang/Example MyAnt.ang"
     "[Polarisation],vh\r\n[Bereich],90\r\n[Schrittweite],30\r\n[MHz],v,432,0\r\n0,3,10,20\r\n"
     "[MHz],h,0,0\r\n0,1\r\n")
string(ASCII 246 oe)
string(ASCII 228 ae)
function(station_file name band antenna power mode)
    file(WRITE "${work}/${name}"
         "Band/Frequenz...........>${band}\r\nAntenne.................>${antenna}\r\n"
         "H${oe}he [m]................>8,5\r\nLeistung [W]............>${power}\r\n"
         "Betriebsart.............>${mode}\r\nTXRX-Intervall..........>TX2 RX4\r\n"
         "FCC/BNetzA..............>BNetzA (Germany)\r\nKabelTyp................>RG58\r\n"
         "Kabell${ae}nge.[m]..........>25,00\r\nsonst. D${ae}mpfungen.[dB]..>1,50\r\n")
endfunction()
station_file(s70.txt 70cm "MyAnt;Example" 50 Alle)
station_file(fixed.txt "F  3,50" "Loop80;Mine" 100 SSB)
station_file(nofit.txt 20m "MyAnt;Example" 50 SSB)
station_file(unknown.txt 70cm "Nope;Example" 50 SSB)
station_file(noseparator.txt 70cm "MyAnt" 50 SSB)
station_file(badpower.txt 70cm "MyAnt;Example" 5x SSB)
station_file(negative.txt 70cm "MyAnt;Example" -5 SSB)
station_file(badmode.txt 70cm "MyAnt;Example" 50 USB)
station_file(badband.txt 5m "MyAnt;Example" 50 SSB)
station_file(badfreq.txt Fabc "MyAnt;Example" 50 SSB)
file(WRITE "${work}/short.txt" "Band/Frequenz...........>70cm\r\nAntenne.................>MyAnt;Example\r\n")

# The station file gives the same output as the equivalent options, text and JSON.
set(equivalent --band 70cm --mode All --rhythm "TX2 RX4" --factors BNetzA
    --cable RG58 --length 25 --other-loss 1,5 --manufacturer Example --antenna MyAnt
    --angle-dir ang)
foreach(extra "" "--json" "--distance=10" "--polarisation=horizontal")
    set(power --power 50)
    if(extra MATCHES "distance")
        set(power "") # the distance gives the power
    endif()
    execute_process(COMMAND "${CLI}" --station s70.txt --angle-dir ang ${extra}
                    WORKING_DIRECTORY "${work}" OUTPUT_VARIABLE fromFile RESULT_VARIABLE rc1)
    execute_process(COMMAND "${CLI}" ${equivalent} ${power} ${extra}
                    WORKING_DIRECTORY "${work}" OUTPUT_VARIABLE fromOptions RESULT_VARIABLE rc2)
    if(NOT rc1 EQUAL 0 OR NOT rc2 EQUAL 0 OR NOT fromFile STREQUAL fromOptions OR fromFile STREQUAL "")
        fail("station-equals-options ${extra}" "status ${rc1}/${rc2}\n${fromFile}\n---\n${fromOptions}")
    endif()
endforeach()

cli_ok(NAME station-text DIR "${work}" ARGS --station s70.txt --angle-dir ang
    LINES "Ham-Band: 70cm" "Power [W]: 50.00" "Mode: Alle" "Modulation Factor: 1.00"
          "Intermittend Factor: 0.33" "Cable Length [m]: 25.00" "Other Attenuations [dB]: 1.50"
          "Antenna Gain (dBi): 11.00" "Manufacturer: Example" "Antenna: MyAnt"
          "Antenna point (Freq. Gain # Ele.): 432.00 11.00   9" "Antenna polarisation: Vertical"
    MATCHES "\n    Angle .Attenuation .     EIRP . Distance .\n        0 .     0.00 . [^\n]*\n       30 .     3.00 .")
cli_ok(NAME station-json DIR "${work}" ARGS --station s70.txt --angle-dir ang --json
    HAS "\"band\":\"70cm\"," "\"gain\":11," "\"manufacturer\":\"Example\",\"antenna\":\"MyAnt\",\"point_frequency\":432,"
        "\"angles\":[{\"angle\":0,\"attenuation\":0,")
cli_ok(NAME station-horizontal DIR "${work}" ARGS --station s70.txt --angle-dir ang --polarisation horizontal --json
    MATCHES "\"angles\":\\[{\"angle\":0,[^]]*},{\"angle\":30,\"attenuation\":1,[^]]*}\\]}")
# The polarisation the window saved (the data's other one) is the station's; the option
# still wins over it.
file(READ "${work}/s70.txt" s70)
file(WRITE "${work}/s70h.txt" "${s70}Polarisation............>horizontal\r\n")
cli_ok(NAME station-saved-horizontal DIR "${work}" ARGS --station s70h.txt --angle-dir ang
    LINES "Antenna polarisation: Horizontal"
    MATCHES "\n       30 .     1.00 .")
cli_ok(NAME station-saved-horizontal-option DIR "${work}"
    ARGS --station s70h.txt --angle-dir ang --polarisation vertical
    LINES "Antenna polarisation: Vertical")
cli_ok(NAME station-fixed DIR "${work}" ARGS --station fixed.txt
    LINES "Ham-Band:" "Freq. [MHz]: 3.50" "Antenna: Loop80" "Antenna Gain (dBi): 2.10"
          "Frequency [MHz]: 3.50")
cli_ok(NAME station-distance DIR "${work}" ARGS --station s70.txt --distance 10
    MATCHES "^Power \\[W\\]: [0-9]+[.][0-9][0-9]\n" LINES "Distance [m]: 10.00")
cli_ok(NAME antenna-rounded-gain DIR "${work}" ARGS --manufacturer example --antenna myant
    LINES "Antenna Gain (dBi): 7.46" "Antenna point (Freq. Gain # Ele.): 144.00 7.456   4")
file(MAKE_DIRECTORY "${work}/none")
cli_ok(NAME antenna-no-angle-data DIR "${work}" ARGS --manufacturer Example --antenna MyAnt --angle-dir none
    LINES "Antenna: MyAnt")
# A folder that is not there is named, not taken for one without angle data.
foreach(dir "missing" "s70.txt")
    cli_bad(NAME "angle-dir-not-a-folder '${dir}'" DIR "${work}"
        ARGS --manufacturer Example --antenna MyAnt --angle-dir "${dir}"
        STDERR "--angle-dir: '${dir}' is no folder; allowed: a folder")
endforeach()

cli_bad(NAME station-missing DIR "${work}" ARGS --station none.txt STDERR "--station: .*none.txt")
cli_bad(NAME station-short DIR "${work}" ARGS --station short.txt STDERR "--station: 'short.txt' line 3: missing")
cli_bad(NAME station-no-fit DIR "${work}" ARGS --station nofit.txt
    STDERR "--station: 'nofit.txt' line 2 .*no point within 10 % of 14.00 MHz")
cli_bad(NAME station-unknown-antenna DIR "${work}" ARGS --station unknown.txt
    STDERR "--station: 'unknown.txt' line 2 'Antenne[.]+>Nope;Example': no antenna 'Nope'")
cli_bad(NAME station-no-separator DIR "${work}" ARGS --station noseparator.txt STDERR "line 2 .*no ';'")
cli_bad(NAME station-power DIR "${work}" ARGS --station badpower.txt STDERR "line 4 .*not a number")
cli_bad(NAME station-negative-power DIR "${work}" ARGS --station negative.txt STDERR "line 4: Power must not be negative")
cli_bad(NAME station-mode DIR "${work}" ARGS --station badmode.txt STDERR "line 5 .*unknown mode")
cli_bad(NAME station-band DIR "${work}" ARGS --station badband.txt STDERR "line 1 .*allowed: LW, 160m")
cli_bad(NAME station-frequency DIR "${work}" ARGS --station badfreq.txt STDERR "line 1 .*not a number")
cli_bad(NAME station-and-band DIR "${work}" ARGS --station s70.txt --band 2m STDERR "--station: .*not with --band")
cli_bad(NAME antenna-alone ARGS --antenna MyAnt STDERR "--antenna: give --manufacturer and --antenna together")
cli_bad(NAME antenna-and-gain DIR "${work}" ARGS --manufacturer Example --antenna MyAnt --gain 3 STDERR "--gain and --antenna")
cli_bad(NAME antenna-unknown DIR "${work}" ARGS --manufacturer Example --antenna Nope STDERR "--antenna: no antenna 'Nope'")
cli_bad(NAME antenna-no-catalogue ARGS --manufacturer Example --antenna MyAnt
    STDERR "--antenna: The File Antennas.txt was not found!")
cli_bad(NAME polarisation-unknown ARGS --polarisation diagonal STDERR "--polarisation: .*allowed: vertical, horizontal")


# --- Limit sets ------------------------------------------------------------------------

# The six rows of a comparison for the start-up station on five bands.
cli_ok(NAME compare-2m ARGS --compare
    FIRST "Limits\tTier\tBinding check\tE-Field Limit  [V/m]\tDistance [m]"
    LINES "ICNIRP1998\tpublic\tICNIRP 1998\t27.50\t0.91" "ICNIRP2020\tpublic\twhole body\t27.70\t0.90"
          "ICNIRP2020\toccupational\twhole body\t61.00\t0.41" "FCC\tpublic\tFCC\t27.50\t0.91"
          "FCC\toccupational\tFCC\t61.40\t0.41" "SC6\tpublic\tSC6\t22.06\t1.14")
cli_ok(NAME compare-160m ARGS --band 160m --compare
    LINES "ICNIRP1998\tpublic\tICNIRP 1998\t61.52\t0.44" "ICNIRP2020\tpublic\tinstantaneous\t83.00\t0.65"
          "FCC\tpublic\tFCC\t412.00\t0.07" "SC6\tpublic\tSC6\t27.46\t0.99")
cli_ok(NAME compare-20m ARGS --band 20m --compare
    LINES "ICNIRP2020\tpublic\twhole body\t46.49\t0.57" "FCC\tpublic\tFCC\t57.42\t0.46")
cli_ok(NAME compare-70cm ARGS --band 70cm --compare
    LINES "FCC\tpublic\tFCC\t32.87\t0.70" "SC6\tpublic\tSC6\t24.95\t0.92")
cli_ok(NAME compare-23cm ARGS --band 23cm --compare
    LINES "ICNIRP2020\toccupational\twhole body\t105.64\t0.18" "SC6\tpublic\tSC6\t35.83\t0.54")
foreach(band 160m 20m 2m 70cm 23cm)
    execute_process(COMMAND "${CLI}" --band ${band} --compare OUTPUT_VARIABLE out)
    string(REGEX MATCHALL "\n" lines "${out}")
    list(LENGTH lines n)
    if(NOT n EQUAL 7)
        fail("compare-rows-${band}" "${n} lines:\n${out}")
    endif()
endforeach()
# (Each text with a bracket in a call of its own: CMake lists do not split inside brackets.)
cli_ok(NAME compare-json ARGS --compare --json
    MATCHES "^.{\"limits\":\"ICNIRP1998\",\"tier\":\"public\",\"binding_check\":\"ICNIRP 1998\",\"e_limit\":27.5,\"safety_distance\":0.911[0-9]*},")
cli_ok(NAME compare-json-last ARGS --compare --json
    MATCHES "{\"limits\":\"SC6\",\"tier\":\"public\",\"binding_check\":\"SC6\",\"e_limit\":22.06,\"safety_distance\":1.13[0-9]*}.\n$")
# The comparison has no place for a found power, one set or tier, or the exemption.
foreach(option "--distance;10" "--limits;FCC" "--tier;public" "--exemption-distance;5")
    list(GET option 0 name)
    cli_bad(NAME "compare ${option}" ARGS --compare ${option}
            STDERR "^radexa-cli: --compare: .*; not with ${name}\n$")
endforeach()
cli_ok(NAME compare-all-bands-json ARGS --compare --all-bands --json
    HAS "{\"band\":\"LW\",\"limits\":\"FCC\",\"tier\":\"public\",\"binding_check\":null,\"e_limit\":null,\"safety_distance\":null}")

# The set's checks and the exemption, in text and JSON, only when asked for.
cli_ok(NAME limits-2020 ARGS --limits ICNIRP2020 --band 40m --exemption-distance 10
    LINES "E-Field Limit  [V/m]: 83.00" "Limit set: ICNIRP 2020" "Persons: public"
          "Binding check: instantaneous" "Distance [m]: 0.65"
    MATCHES "\nCheck whole body: E 75.33 V/m, [^\n]*, 30 min, distance 0.36 m\n"
            "\nFCC exemption: exempt \\(ERP 14.71 W, threshold 6655.09 W, distance 10.00 m\\)\n")
cli_ok(NAME limits-json ARGS --limits FCC --tier occupational --ground 1.6 --exemption-distance 3 --json
    HAS "\"e_limit\":61.4," "\"limits\":\"FCC\",\"tier\":\"occupational\",\"ground_factor\":1.6,\"averaging_minutes\":6,\"binding_check\":\"FCC\",")
cli_ok(NAME limits-json-checks ARGS --limits FCC --tier occupational --ground 1.6 --exemption-distance 3 --json
    MATCHES "\"checks\":.{\"name\":\"FCC\",\"e_limit\":61.4,\"h_limit\":0.163,\"s_limit\":10,\"averaging_minutes\":6,\"safety_distance\":0.65[0-9]*}.,\"exemption\":{\"erp\":12.75[0-9]*,\"threshold\":34.47,\"distance\":3,\"exempt\":true}}\n$")
execute_process(COMMAND "${CLI}" --json OUTPUT_VARIABLE out)
if(out MATCHES "limits|checks|exemption")
    fail(default-json-keys "the default output names limits: ${out}")
endif()
# Full reflection doubles the distance; the near-field limit stays.
cli_ok(NAME ground-2 ARGS --ground 2 LINES "Distance [m]: 1.82" "Nearfield Conds [m]: 0.33" "Ground factor: 2.00")
cli_ok(NAME distance-under-2020 ARGS --limits ICNIRP2020 --tier occupational --distance 2
    LINES "Distance [m]: 2.00" "Binding check: whole body")

cli_bad(NAME tier-without-set ARGS --tier occupational STDERR "--tier: ICNIRP 1998.*occupational")
cli_bad(NAME tier-sc6 ARGS --limits SC6 --tier occupational STDERR "--tier: .*occupational")
cli_bad(NAME limits-unknown ARGS --limits WHO STDERR "--limits: unknown value 'WHO'; allowed: ICNIRP1998, ICNIRP2020, FCC, SC6")
cli_bad(NAME ground-unknown ARGS --ground 3 STDERR "--ground: unknown value '3'; allowed: none, 1.6, 2")
cli_bad(NAME limits-outside ARGS --limits FCC --band LW STDERR "--limits: FCC .* gives no reference level outside 0.3 to 100000 MHz")
cli_bad(NAME exemption-negative ARGS --exemption-distance -2 STDERR "--exemption-distance: ")

# A station file's limit lines, and the command line winning over them.
file(WRITE "${work}/fcc.txt"
     "Band/Frequenz...........>70cm\r\nAntenne.................>MyAnt;Example\r\n"
     "H${oe}he [m]................>8,5\r\nLeistung [W]............>50\r\n"
     "Betriebsart.............>Alle\r\nTXRX-Intervall..........>TX2 RX4\r\n"
     "FCC/BNetzA..............>BNetzA (Germany)\r\nKabelTyp................>RG58\r\n"
     "Kabell${ae}nge.[m]..........>25,00\r\nsonst. D${ae}mpfungen.[dB]..>1,50\r\n"
     "Grenzwerte..............>FCC\r\nPersonengruppe..........>occupational\r\n")
cli_ok(NAME station-limits DIR "${work}" ARGS --station fcc.txt --json HAS "\"e_limit\":73.5")
# Lines after the ten that the window would pass over are named, never ignored.
file(READ "${work}/s70.txt" s70)
set(blank20 "")
foreach(i RANGE 1 20)
    string(APPEND blank20 "\r\n")
endforeach()
foreach(case "unknown|garbage line\r\n|line 11 'garbage line': unknown line; allowed after the ten lines: Grenzwerte, Personengruppe"
             "twice|Grenzwerte..............>FCC\r\nGrenzwerte..............>SC6\r\n|line 12 'Grenzwerte[.]+>SC6': the same label as line 11"
             "far|${blank20}Grenzwerte..............>FCC\r\n|line 31: a station file has at most 26 lines")
    string(REPLACE "|" ";" parts "${case}")
    list(GET parts 0 name)
    list(GET parts 1 tail)
    list(GET parts 2 expected)
    file(WRITE "${work}/extra-${name}.txt" "${s70}${tail}")
    cli_bad(NAME "station-extra-${name}" DIR "${work}" ARGS --station "extra-${name}.txt"
            STDERR "--station: 'extra-${name}.txt' ${expected}")
endforeach()
file(WRITE "${work}/extra-blank.txt" "${s70}  \r\n\r\n${blank20}")
cli_ok(NAME station-extra-blank DIR "${work}" ARGS --station extra-blank.txt LINES "Ham-Band: 70cm")
cli_ok(NAME station-limits-overridden DIR "${work}" ARGS --station fcc.txt --limits ICNIRP1998 --json HAS "\"e_limit\":28.5")

# --- Angle data from pattern files and nec2c models ---------------------------------------

set(pat "${CMAKE_CURRENT_BINARY_DIR}/cli_pattern_work")
file(REMOVE_RECURSE "${pat}")
file(MAKE_DIRECTORY "${pat}/ang")
file(WRITE "${pat}/Antennas.txt" "[Example]\r\nMyAnt,Yagi,144,7.456,4,#\r\n")
file(WRITE "${pat}/cut.csv" "angle,gain_dbi\n0,6.5\n30,3.5\n60,-3.5\n90,-10\n120,-3.5\n150,3.5\n180,6.5\n")
file(WRITE "${pat}/bad.csv" "angle,gain_dbi\n0,6.5\n30,x\n")
cli_ok(NAME import-csv DIR "${pat}" ARGS --import-pattern cut.csv --frequency 14.2
    LINES "[Polarisation],vh" "[Schrittweite],30" "[MHz],v,14.2,6.50" "0.00,3.00,10.00,16.50,10.00,3.00,0.00")
cli_bad(NAME import-bad DIR "${pat}" ARGS --import-pattern bad.csv STDERR "--import-pattern: 'bad.csv' line 3: ")
cli_bad(NAME import-with-band DIR "${pat}" ARGS --import-pattern cut.csv --band 20m STDERR "makes angle data; not with --band")
cli_bad(NAME model-ground-alone ARGS --ground average STDERR "--ground: unknown value 'average'")
cli_bad(NAME model-no-radials ARGS --model vertical --frequency 14.2 STDERR "--radials")
cli_bad(NAME model-sky-high ARGS --model vertical --frequency 14.2 --radials 64 --height 1e8
    STDERR "--model vertical: the base of the vertical must lie no higher than 1000 m")
# A deck or pattern file is read only up to its limit, never whole whatever its size.
string(REPEAT "CM 0123456789012345678901234567890123456789012345678901234567890\n" 16400 bigDeck)
file(WRITE "${pat}/big.nec" "${bigDeck}")
cli_bad(NAME model-deck-too-large DIR "${pat}" ARGS --model deck --deck big.nec
    STDERR "--deck: Cannot read \"big.nec\": the file is larger than 1 MiB")
# A gain is for a table of attenuations; a file of gains in dBi is not overruled by it.
cli_bad(NAME import-gain-unused DIR "${pat}" ARGS --import-pattern cut.csv --gain 5
    STDERR "--gain: 'cut.csv' gives its gains itself; --gain is for a CSV table of attenuations")
file(WRITE "${pat}/att.csv" "angle,attenuation_db\n0,0\n90,20\n180,3\n")
cli_ok(NAME import-gain-of-attenuations DIR "${pat}" ARGS --import-pattern att.csv --gain 5 --frequency 7
    LINES "[MHz],v,7,5.00" "0.00,20.00,3.00")
cli_bad(NAME import-negative-frequency DIR "${pat}" ARGS --import-pattern cut.csv --frequency -5
    STDERR "--import-pattern: 'cut.csv' the frequency -5 MHz lies outside 0")
# The frequency and azimuth a file names itself are not overruled by options.
file(COPY "${CMAKE_CURRENT_LIST_DIR}/../data/patterns/dipole-eznec.txt" DESTINATION "${pat}")
cli_bad(NAME import-eznec-frequency DIR "${pat}" ARGS --import-pattern dipole-eznec.txt --frequency 7
    STDERR "--frequency: 'dipole-eznec.txt' is an EZNEC table for 14.2 MHz")
cli_bad(NAME import-eznec-azimuth DIR "${pat}" ARGS --import-pattern dipole-eznec.txt --azimuth 45
    STDERR "--azimuth: 'dipole-eznec.txt' is an EZNEC cut at the azimuth 90 deg")
cli_ok(NAME import-eznec-same DIR "${pat}" ARGS --import-pattern dipole-eznec.txt --frequency 14,2
       --azimuth 450 LINES "[Polarisation],hv")
cli_bad(NAME import-csv-azimuth DIR "${pat}" ARGS --import-pattern cut.csv --azimuth 45
    STDERR "--azimuth: 'cut.csv' is a CSV table, one cut")
cli_bad(NAME angle-dir-without-write DIR "${pat}" ARGS --import-pattern cut.csv --angle-dir ang
    STDERR "--import-pattern: --manufacturer, --antenna, --type and --angle-dir go with --write")
cli_bad(NAME write-no-names DIR "${pat}" ARGS --import-pattern cut.csv --write STDERR "--write: give --manufacturer and --antenna")
if(EXISTS /usr/bin/nec2c)
    cli_ok(NAME model-dipole DIR "${pat}" ARGS --model dipole --frequency 14.2 --height 10
        LINES "Pattern over real ground" "[Polarisation],hv" "[Bereich],180" "[Schrittweite],1")
    cli_ok(NAME model-write DIR "${pat}"
        ARGS --model dipole --frequency 14.2 --height 10 --ground average --write
             --manufacturer Mine --antenna "Dipole 20m" --angle-dir ang
        MATCHES "^Added Mine Dipole 20m to AntUser.txt, gain [0-9.]+ dBi at 14.2 MHz; angle data: ang/Mine Dipole 20m.ang\n$")
    cli_ok(NAME model-taken DIR "${pat}" ARGS --band 20m --manufacturer Mine --antenna "Dipole 20m" --angle-dir ang
        LINES "Antenna: Dipole 20m" "Antenna polarisation: Horizontal")
    # A folder named with --angle-dir is written or the import fails; the operator's own
    # folder is no stand-in for it.
    set(stray "$ENV{HOME}/.local/share/radexa/ang/Mine Dipole 2.ang")
    file(REMOVE "${stray}") # left by an older program that wrote there
    cli_bad(NAME model-write-no-folder DIR "${pat}"
        ARGS --model dipole --frequency 14.2 --height 10 --write --manufacturer Mine
             --antenna "Dipole 2" --angle-dir nowhere
        STDERR "--write: The angle folder \"nowhere\" is no folder")
    if(EXISTS "${pat}/nowhere" OR EXISTS "${stray}")
        fail(model-write-no-folder "an angle file was written elsewhere")
    endif()
    cli_bad(NAME model-write-again DIR "${pat}"
        ARGS --model dipole --frequency 14.2 --height 10 --write --manufacturer Mine --antenna "Dipole 20m" --angle-dir ang
        STDERR "--write: .*exists already")
endif()

# --- Odd files, limits and letters beyond ASCII -------------------------------------------

# A catalogue or angle file that is a pipe is refused at once, never waited on.
set(odd "${CMAKE_CURRENT_BINARY_DIR}/cli_odd_work")
file(REMOVE_RECURSE "${odd}")
file(MAKE_DIRECTORY "${odd}/ang" "${odd}/none")
execute_process(COMMAND mkfifo "${odd}/Antennas.txt")
execute_process(COMMAND "${CLI}" --manufacturer Example --antenna MyAnt WORKING_DIRECTORY "${odd}"
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc TIMEOUT 10)
if(NOT rc EQUAL 2 OR NOT err MATCHES "Antennas.txt was not found!.*not a regular file")
    fail(fifo-catalogue "status ${rc}, stderr '${err}'")
endif()
file(REMOVE "${odd}/Antennas.txt")
file(WRITE "${odd}/Antennas.txt" "[Example]\r\nMyAnt,Yagi,144,7.456,4,#\r\n")
execute_process(COMMAND mkfifo "${odd}/ang/Example MyAnt.ang")
execute_process(COMMAND "${CLI}" --manufacturer Example --antenna MyAnt --angle-dir ang
                WORKING_DIRECTORY "${odd}" OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc TIMEOUT 10)
if(NOT rc EQUAL 2 OR NOT err MATCHES "^radexa-cli: --angle-dir: .*Example MyAnt")
    fail(fifo-angle-file "status ${rc}, stderr '${err}'")
endif()

# --- The compliance report ------------------------------------------------------------------
# (Its contents are read back in the window tests; here: the options and the files.)

file(REMOVE "${work}/r.pdf" "${work}/r.json")
cli_ok(NAME report-files DIR "${work}" ARGS --band 2m --report r.pdf --report-json r.json
       --call DL1ABC --place Ulm --language sv LINES "Ham-Band: 2m")
file(READ "${work}/r.pdf" head LIMIT 5)
file(READ "${work}/r.json" twin)
if(NOT head MATCHES "^%PDF-" OR NOT twin MATCHES "\"call\": \"DL1ABC\"" OR NOT twin MATCHES "\"language\": \"sv\"")
    fail(report-files "no PDF or JSON with the call: '${head}' '${twin}'")
endif()
cli_ok(NAME report-json-only DIR "${work}" ARGS --station "${work}/s70.txt" --report-json r2.json
       LINES "Antenna: MyAnt")
if(NOT EXISTS "${work}/r2.json")
    fail(report-json-only "no r2.json")
endif()
cli_bad(NAME report-call-alone ARGS --call DL1ABC STDERR "--call: goes into the report; give it with --report")
cli_bad(NAME report-language-alone ARGS --language de STDERR "--language: goes into the report")
cli_bad(NAME report-language-unknown ARGS --report r.pdf --language nl
        STDERR "--language: unknown value 'nl'; allowed: de, en, fr, sv")
cli_bad(NAME report-all-bands ARGS --all-bands --report r.pdf STDERR "--report: reports one station")
execute_process(COMMAND "${CLI}" --report "${work}/no folder/r.pdf" OUTPUT_VARIABLE out
                ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL 1 OR NOT err MATCHES "^radexa-cli: --report: [^\n]*r\\.pdf[^\n]*\n$" OR NOT out STREQUAL "")
    fail(report-unwritable "status ${rc}, stdout '${out}', stderr '${err}'")
endif()

# Names in Windows-1252 are found from the terminal's UTF-8, and come back as UTF-8.
string(ASCII 252 ue)
string(ASCII 228 ae2)
file(WRITE "${odd}/Antennas.txt" "[M${ue}ller]\r\nY${ae2}gi,Yagi,144,7.5,4,#\r\n")
cli_ok(NAME utf8-names DIR "${odd}" ARGS --manufacturer "Müller" --antenna "Yägi" --angle-dir none
    LINES "Manufacturer: Müller" "Antenna: Yägi")
cli_bad(NAME utf8-unknown DIR "${odd}" ARGS --manufacturer "Müller" --antenna "Öse" --angle-dir none
    STDERR "no antenna 'Öse' of manufacturer 'Müller'")

# File names are used as the file system has them (UTF-8, also beyond Windows-1252); a text
# value that Windows-1252 cannot hold is refused instead of becoming '?'.
file(MAKE_DIRECTORY "${odd}/Grüße")
cli_ok(NAME utf8-paths ARGS --band 20m --report-json "${odd}/Grüße/Жук.json")
if(NOT EXISTS "${odd}/Grüße/Жук.json")
    fail(utf8-paths "no ${odd}/Grüße/Жук.json")
endif()
file(COPY_FILE "${work}/s70.txt" "${odd}/Grüße/Станция.txt")
cli_ok(NAME utf8-station DIR "${work}" ARGS --station "${odd}/Grüße/Станция.txt" LINES "Ham-Band: 70cm")
cli_bad(NAME utf8-station-missing ARGS --station "${odd}/Grüße/nö.txt" STDERR "Grüße/nö\\.txt")
cli_bad(NAME text-beyond-cp1252 ARGS --report-json "${odd}/r.json" --call "DLЖ1"
        STDERR "--call: 'DL\\?1' holds a character that Radexa cannot keep")
cli_bad(NAME antenna-beyond-cp1252 ARGS --manufacturer "Müller" --antenna "Ω"
        STDERR "--antenna: '\\?' holds a character")

# A long line is quoted in part only.
string(REPEAT "x" 100000 long)
cli_bad(NAME long-value ARGS --band "${long}" STDERR "--band: unknown value 'x+…'; allowed")
execute_process(COMMAND "${CLI}" --band "${long}" ERROR_VARIABLE err)
string(LENGTH "${err}" n)
if(n GREATER 1000)
    fail(long-value-length "${n} bytes on stderr")
endif()

# Under a file-size limit the output fails with a message; the program is not killed.
execute_process(COMMAND sh -c "ulimit -f 0; exec \"$0\" --all-bands > \"$1\"" "${CLI}" "${odd}/out.txt"
                ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL 1 OR NOT err MATCHES "^radexa-cli: cannot write the output: ")
    fail(file-size-limit "status ${rc}, stderr '${err}'")
endif()

if(failures GREATER 0)
    message(FATAL_ERROR "${failures} radexa-cli check(s) failed")
endif()
