// A shared library that is not a plug-in: it exports something, but not the entry points.
extern "C" __attribute__((visibility("default"))) int kvtestSomethingElse()
{
    return 42;
}
