// Software GDI.
