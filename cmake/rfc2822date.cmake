# rfc2822_date(YYYY-MM-DD OUT): the day at noon UTC in the form Debian's
# change log wants, such as "Mon, 07 Dec 2026 12:00:00 +0000".
function(rfc2822_date iso_date out)
    if(NOT iso_date MATCHES "^([0-9][0-9][0-9][0-9])-([0-9][0-9])-([0-9][0-9])$")
        message(FATAL_ERROR "rfc2822_date: ${iso_date} is not YYYY-MM-DD")
    endif()
    set(day ${CMAKE_MATCH_3})
    math(EXPR year "${CMAKE_MATCH_1}")
    math(EXPR month "${CMAKE_MATCH_2}")
    # Days since 1970-01-01 in the proleptic Gregorian calendar, counted in
    # years that begin on 1 March so that the leap day comes last.
    if(month LESS_EQUAL 2)
        math(EXPR year "${year} - 1")
        math(EXPR month_from_march "${month} + 9")
    else()
        math(EXPR month_from_march "${month} - 3")
    endif()
    math(EXPR era "${year} / 400")
    math(EXPR year_of_era "${year} - ${era} * 400")
    math(EXPR day_of_year "(153 * ${month_from_march} + 2) / 5 + ${day} - 1")
    math(EXPR day_of_era
         "${year_of_era} * 365 + ${year_of_era} / 4 - ${year_of_era} / 100 + ${day_of_year}")
    math(EXPR days "${era} * 146097 + ${day_of_era} - 719468")
    # 1970-01-01 was a Thursday.
    math(EXPR weekday "(${days} + 3) % 7")
    set(weekdays Mon Tue Wed Thu Fri Sat Sun)
    list(GET weekdays ${weekday} weekday_name)
    math(EXPR month_index "${CMAKE_MATCH_2} - 1")
    set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
    list(GET months ${month_index} month_name)
    set(${out} "${weekday_name}, ${day} ${month_name} ${CMAKE_MATCH_1} 12:00:00 +0000" PARENT_SCOPE)
endfunction()
