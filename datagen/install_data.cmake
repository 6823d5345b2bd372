# Run by `cmake --install`: copies the generated pictures and sounds, with their credits, into the
# installed data folder. They are made by datagen/generate.sh, not by the build, so they are
# installed only when they exist; a folder without its CREDITS.txt is left out, since its files
# may not be passed on without their credits.
#   zubiko_data_source  the folder holding animals/ and sounds/
#   zubiko_data_dest    the data folder, absolute or relative to the prefix
if(IS_ABSOLUTE "${zubiko_data_dest}")
    set(zubiko_dest "${zubiko_data_dest}")
else()
    set(zubiko_dest "${CMAKE_INSTALL_PREFIX}/${zubiko_data_dest}")
endif()
foreach(zubiko_part animals sounds)
    set(zubiko_from "${zubiko_data_source}/${zubiko_part}")
    if(EXISTS "${zubiko_from}/CREDITS.txt")
        file(INSTALL "${zubiko_from}" DESTINATION "${zubiko_dest}"
             FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
             DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                   WORLD_READ WORLD_EXECUTE)
    else()
        message(WARNING "Zubiko: ${zubiko_from}/CREDITS.txt does not exist, so the ${zubiko_part} "
                        "are not installed and the program will run without them. "
                        "Make them first with datagen/generate.sh, then install again.")
    endif()
endforeach()
