# Writes the man page of qvmap-cli from its --help text.
# Called as: cmake -DCLI=<qvmap-cli> -DOUT=<page> -DVERSION=<version> -P ManPage.cmake
execute_process(COMMAND ${CLI} --help OUTPUT_VARIABLE help RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${CLI} --help failed: ${status}")
endif()

# roff: a backslash is written \e, a minus \- (so that options copy as typed),
# and a line must not start with a control character.
string(REPLACE "\\" "\\e" help "${help}")
string(REPLACE "-" "\\-" help "${help}")
string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" help "${help}")

# The "usage:" lines make the synopsis; every later line "name:" at the left
# margin opens a section of that name. The lines keep their layout.
string(REGEX MATCH "^usage: [^\n]*(\n       [^\n]*)*\n" synopsis "${help}")
string(LENGTH "${synopsis}" length)
string(SUBSTRING "${help}" ${length} -1 sections)
string(REGEX REPLACE "^usage: " "" synopsis "${synopsis}")
string(REPLACE "\n       " "\n" synopsis "${synopsis}")
set(sections "\n${sections}")
string(REGEX MATCHALL "\n[a-z][^\n]*:\n" headings "${sections}")
foreach(heading IN LISTS headings)
  string(STRIP "${heading}" name)
  string(REGEX REPLACE ":$" "" name "${name}")
  string(TOUPPER "${name}" upper)
  string(REPLACE "${heading}" "\n.fi\n.SH \"${upper}\"\n.nf\n" sections "${sections}")
endforeach()
string(REGEX REPLACE "^\n\\.fi\n" "" sections "${sections}")

file(WRITE ${OUT} ".TH QVMAP\\-CLI 1 \"\" \"QVMap ${VERSION}\" \"User Commands\"
.SH NAME
qvmap\\-cli \\- the universe of QVMap without a window: tables, imports, map images, profits
.SH SYNOPSIS
.nf
${synopsis}.fi
.SH DESCRIPTION
qvmap\\-cli reads the same program folder as QVMap (the universe tables in Data/, QVMap.INI,
the request and complex tables and the language files) with the same code as the windows, and
prints what the windows would show, or writes the map image. It writes no file unless the
command says so (import, render, complex \\-\\-trace, plan \\-\\-save).
.PP
Output is UTF\\-8, one record a line, fields separated by one TAB.
${sections}.fi
.SH FILES
.TP
.I ~/.local/share/qvmap/
The player's own program folder (\\fB$XDG_DATA_HOME\\fR/qvmap), used when no \\-\\-home is given
and the executable's folder holds no writable Data/ folder; the first start fills it with a copy
of the sample universe.
.TP
.I ~/.config/qvmap/QVMap.INI
The settings of that folder (\\fB$XDG_CONFIG_HOME\\fR/qvmap).
.TP
.I /usr/share/qvmap/
The installed sample universe and language files.
.SH EXIT STATUS
0 on success, 1 when the command failed (one line on stderr says why), 2 for a usage error.
.SH SEE ALSO
\\fBQVMap\\fR, the program with windows, which keeps the same universe.
")
