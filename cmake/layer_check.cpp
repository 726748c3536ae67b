// Nothing of its own: a layer check links a layer's archive whole into a
// shared object that may leave no symbol undefined (cmake/CorvaneLayers.cmake).
