// The shared library holds no code of its own: the entry points come from the
// module archive, linked whole, and the export map decides what is visible.
