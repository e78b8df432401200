# Makes one help page: the frame (help/frame.html) around the page's body,
# with the title taken from the body's <h1> and the program's icon.
#
#   cmake -DFRAME=frame.html -DBODY=pages/x.html -DICON=quorvane -DOUTPUT=x.html -P help_page.cmake
cmake_minimum_required(VERSION 3.25)
file(READ "${FRAME}" frame)
file(READ "${BODY}" body)
if(NOT body MATCHES "^<h1>([^<]+)</h1>")
    message(FATAL_ERROR "${BODY} does not begin with its <h1> title")
endif()
set(title "${CMAKE_MATCH_1}")
string(REPLACE "@TITLE@" "${title}" page "${frame}")
string(REPLACE "@ICON@" "${ICON}" page "${page}")
string(REPLACE "@BODY@" "${body}" page "${page}")
file(WRITE "${OUTPUT}" "${page}")
