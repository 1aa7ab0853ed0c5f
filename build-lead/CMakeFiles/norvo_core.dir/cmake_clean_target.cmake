file(REMOVE_RECURSE
  "libnorvo_core.a"
)
