# SPDX-License-Identifier: GPL-3.0-or-later
# Prints the goal table from Google Benchmark JSON files: cmake
# -DRESULTS="a.json;b.json" -P report_table.cmake. Called by bench/report.

# operation | benchmark name | what to read (real_time or a counter) | goal | unit
set(rows
    "map text regeneration|BM_CalculateHtmlClient/10000|real_time|2|ms"
    "read a client map (file)|BM_ReadClientFile|real_time|50|ms"
    "read a server map (file)|BM_ReadNcsaFile|real_time|20|ms"
    "code pane refresh|BM_CodePaneWholeMap10000Areas|real_time|20|ms"
    "code pane, one-line change|BM_CodePaneOneLineChange10000Areas|real_time|2|ms"
    "pointer move|BM_CanvasMouseMove10000Areas|real_time|0.5|ms"
    "full repaint|BM_CanvasRepaint10000Areas|real_time|16|ms"
    "first paint after a zoom step|BM_FirstPaintAfterZoomStep10000Areas|real_time|16|ms"
    "first paint, 1000x750 view|BM_PaintViewportCold/10000/1000/750|real_time|16|ms"
    "one complete edit|BM_EditMoveArea10000Areas|real_time|40|ms"
    "undo|BM_UndoRedo10000Areas/0|real_time|60|ms"
    "redo|BM_UndoRedo10000Areas/1|real_time|60|ms"
    "load map, BMP picture|BM_LoadClientMap10000AreasPainted/0|real_time|100|ms"
    "load map, PNG picture|BM_LoadClientMap10000AreasPainted/1|real_time|100|ms"
    "load map, JPEG picture|BM_LoadClientMap10000AreasPainted/2|real_time|100|ms"
    "start-up to shown window|BM_ProcessStartToShownWindow/iterations:20|real_time|300|ms"
    "check map|BM_CheckMap10000Areas|real_time|100|ms"
    "memory, 100 undo snapshots|BM_MemoryWith100Snapshots10000Areas/iterations:1|resident_MB|200|MB")

# Every result by name: its value in the row's unit.
foreach(file IN LISTS RESULTS)
    file(READ "${file}" json)
    string(JSON count LENGTH "${json}" benchmarks)
    math(EXPR last "${count} - 1")
    foreach(i RANGE ${last})
        string(JSON name GET "${json}" benchmarks ${i} name)
        string(JSON unit GET "${json}" benchmarks ${i} time_unit)
        string(JSON time GET "${json}" benchmarks ${i} real_time)
        string(JSON cpu GET "${json}" benchmarks ${i} cpu_time)
        string(JSON resident ERROR_VARIABLE missing GET "${json}" benchmarks ${i} resident_MB)
        set(result_${name}_real_time "${time} ${unit}")
        set(result_${name}_cpu_time "${cpu} ${unit}")
        if(NOT missing)
            set(result_${name}_resident_MB "${resident} MB")
        endif()
    endforeach()
endforeach()

# "1.234 us" -> microseconds as an integer, for comparing with the goal.
function(to_micro value out)
    string(REGEX MATCH "^([0-9]+)(\\.([0-9]*))?[^ ]* (.*)$" _ "${value}")
    set(whole "${CMAKE_MATCH_1}")
    set(frac "${CMAKE_MATCH_3}000000000")
    set(unit "${CMAKE_MATCH_4}")
    if(unit STREQUAL "ns")
        math(EXPR micro "${whole} / 1000")
    elseif(unit STREQUAL "us")
        set(micro "${whole}")
    elseif(unit STREQUAL "ms")
        string(SUBSTRING "${frac}" 0 3 f)
        math(EXPR micro "${whole} * 1000 + 1${f} - 1000")
    elseif(unit STREQUAL "s")
        string(SUBSTRING "${frac}" 0 6 f)
        math(EXPR micro "${whole} * 1000000 + 1${f} - 1000000")
    else() # MB: compare in thousandths of a MB
        string(SUBSTRING "${frac}" 0 3 f)
        math(EXPR micro "${whole} * 1000 + 1${f} - 1000")
    endif()
    set(${out} "${micro}" PARENT_SCOPE)
endfunction()

# A value in microseconds (or thousandths of a MB) shown with three decimals.
function(three_decimals micro out)
    math(EXPR whole "${micro} / 1000")
    math(EXPR frac "${micro} % 1000 + 1000")
    string(SUBSTRING "${frac}" 1 3 frac)
    set(${out} "${whole}.${frac}" PARENT_SCOPE)
endfunction()

function(pad text width out)
    string(LENGTH "${text}" length)
    while(length LESS width)
        string(APPEND text " ")
        math(EXPR length "${length} + 1")
    endwhile()
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

pad("operation" 32 c1)
pad("goal" 12 c2)
pad("measured" 14 c3)
pad("CPU" 14 c4)
message("${c1}${c2}${c3}${c4}met")
set(missed 0)
foreach(row IN LISTS rows)
    string(REPLACE "|" ";" fields "${row}")
    list(GET fields 0 operation)
    list(GET fields 1 name)
    list(GET fields 2 key)
    list(GET fields 3 goal)
    list(GET fields 4 unit)
    pad("${operation}" 32 c1)
    pad("< ${goal} ${unit}" 12 c2)
    if(NOT DEFINED result_${name}_${key})
        pad("not run" 14 c3)
        message("${c1}${c2}${c3}${c4}-")
        math(EXPR missed "${missed} + 1")
        continue()
    endif()
    to_micro("${result_${name}_${key}}" measured)
    to_micro("${goal} ${unit}" limit)
    if(key STREQUAL "real_time")
        to_micro("${result_${name}_cpu_time}" cpu)
        three_decimals(${cpu} cpuText)
        pad("${cpuText} ${unit}" 14 c4)
    else()
        pad("" 14 c4)
    endif()
    three_decimals(${measured} measuredText)
    pad("${measuredText} ${unit}" 14 c3)
    if(measured LESS limit)
        set(met "yes")
    else()
        set(met "NO")
        math(EXPR missed "${missed} + 1")
    endif()
    message("${c1}${c2}${c3}${c4}${met}")
endforeach()
message("${missed} goal(s) missed")
