// A stand-in sibling module: two exports the loading tests call.
extern "C" {

__attribute__((visibility("default"))) int _Dodaj(int a, int b)
{
    return a + b;
}

__attribute__((visibility("default"))) void _Zapisz(int *target, int value)
{
    *target = value;
}
}
