// Intentionally empty: the layer checks link whole libraries around it (see LayerCheck.cmake).
