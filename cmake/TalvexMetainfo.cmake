# Writes the AppStream metainfo from its template. The web address is the same build setting as
# the help panel's: with none, the metainfo names no home page and no screenshots, since an
# address of a screenshot must be one that serves it.
# In script mode (cmake -DMETAINFO_OUT=... -DSOURCE_DIR=... -DAPP_ID=... -DVERSION=...
# -DRELEASE_DATE=... [-DWEB_ADDRESS=...] -P TalvexMetainfo.cmake) the tests write a variant.
function(talvex_write_metainfo source_dir app_id version release_date web_address out)
    set(TALVEX_APP_ID ${app_id})
    set(PROJECT_VERSION ${version})
    set(TALVEX_RELEASE_DATE ${release_date})
    set(TALVEX_METAINFO_WEB "")
    if(web_address)
        string(REPLACE "&" "&amp;" web "${web_address}")
        string(REPLACE "<" "&lt;" web "${web}")
        string(REPLACE ">" "&gt;" web "${web}")
        string(REGEX REPLACE "/+$" "" web "${web}")
        string(CONCAT TALVEX_METAINFO_WEB
               "  <url type=\"homepage\">${web}</url>\n"
               "  <screenshots>\n"
               "    <screenshot type=\"default\">\n"
               "      <caption>The main window with the keyboard and its lighting</caption>\n"
               "      <image>${web}/screenshots/main-window.png</image>\n"
               "    </screenshot>\n"
               "  </screenshots>\n")
    endif()
    configure_file(${source_dir}/resources/metainfo/${app_id}.metainfo.xml.in ${out} @ONLY)
endfunction()

if(CMAKE_SCRIPT_MODE_FILE AND DEFINED METAINFO_OUT)
    talvex_write_metainfo(${SOURCE_DIR} ${APP_ID} ${VERSION} ${RELEASE_DATE} "${WEB_ADDRESS}"
                          ${METAINFO_OUT})
endif()
