# RX041_SANITIZE=address builds with AddressSanitizer and UndefinedBehaviorSanitizer,
# RX041_SANITIZE=thread with ThreadSanitizer (the two cannot be combined).
if(RX041_SANITIZE STREQUAL "address")
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
elseif(RX041_SANITIZE STREQUAL "thread")
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
elseif(NOT RX041_SANITIZE STREQUAL "")
  message(FATAL_ERROR "RX041_SANITIZE must be empty, 'address' or 'thread'")
endif()
