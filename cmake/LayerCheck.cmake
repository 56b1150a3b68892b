# The layers are enforced by the linker: each folder's library is linked on its own, whole, into a
# throwaway shared object that may use only the libraries the folder declares. A call from a lower
# folder into a higher one is an undefined symbol there, and the build stops.
set(TAVRELLO_LAYER_CHECK_SOURCE ${CMAKE_CURRENT_LIST_DIR}/LayerCheck.cpp)

function(tavrello_layer_check layer)
  add_library(${layer}_layer_check SHARED ${TAVRELLO_LAYER_CHECK_SOURCE})
  target_link_libraries(${layer}_layer_check PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,${layer}>" tavrello_options)
  target_link_options(${layer}_layer_check PRIVATE LINKER:--no-undefined)
  set_target_properties(${layer}_layer_check PROPERTIES AUTOMOC OFF LIBRARY_OUTPUT_DIRECTORY layer-check)
endfunction()
