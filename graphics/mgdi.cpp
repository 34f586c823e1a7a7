// mGDI
