# corvane_embed(TARGET SYMBOL FILE): compiles FILE into TARGET as
#   extern const unsigned char SYMBOL[]; extern const std::size_t SYMBOL_size;
# (declared by the caller, see assets/embedded.h).
function(corvane_embed target symbol file)
    set(out ${CMAKE_CURRENT_BINARY_DIR}/embed_${symbol}.cpp)
    add_custom_command(
        OUTPUT ${out}
        COMMAND ${CMAKE_COMMAND} -DIN=${file} -DOUT=${out} -DSYM=${symbol}
                -P ${PROJECT_SOURCE_DIR}/cmake/EmbedFile.cmake
        DEPENDS ${file} ${PROJECT_SOURCE_DIR}/cmake/EmbedFile.cmake
        VERBATIM)
    target_sources(${target} PRIVATE ${out})
endfunction()
