# Whether the translations cover every window text: lupdate is run over the
# sources into a copy of each .ts file (the sources' files stay as they are),
# and the copy must have no unfinished entry.
# Usage: cmake -DLUPDATE=... -DSOURCE_DIR=... -DWORK_DIR=... -P CheckTranslations.cmake
file(GLOB _ts_files ${SOURCE_DIR}/translations/*.ts)
if(NOT _ts_files)
    message(FATAL_ERROR "no translation files in ${SOURCE_DIR}/translations")
endif()
file(MAKE_DIRECTORY ${WORK_DIR})
foreach(_ts ${_ts_files})
    get_filename_component(_name ${_ts} NAME)
    set(_copy ${WORK_DIR}/${_name})
    file(COPY_FILE ${_ts} ${_copy})
    execute_process(
        COMMAND ${LUPDATE} -silent -no-obsolete -locations none -source-language ru_RU
                -tr-function-alias Q_DECLARE_TR_FUNCTIONS+=KAV_TEXT_CONTEXT
                -extensions cpp,h -I ${SOURCE_DIR}/src
                ${SOURCE_DIR}/src/ui ${SOURCE_DIR}/src/core ${SOURCE_DIR}/src/io -ts ${_copy}
        RESULT_VARIABLE _result ERROR_VARIABLE _errors)
    if(NOT _result EQUAL 0)
        message(FATAL_ERROR "lupdate failed on ${_name}: ${_errors}")
    endif()
    file(STRINGS ${_copy} _unfinished REGEX "type=\"unfinished\"")
    list(LENGTH _unfinished _count)
    if(_count GREATER 0)
        message(FATAL_ERROR "${_name}: ${_count} text(s) without a translation; "
                            "build the target kavendix_lupdate and translate them")
    endif()
endforeach()
