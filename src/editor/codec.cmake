# sidecar codec, code pages, source writer
