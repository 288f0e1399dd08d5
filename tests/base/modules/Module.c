/* The code of every version test module: nothing; the tests read only the modules' resources. */
int VantleVersionTestModule(void)
{
    return 0;
}
