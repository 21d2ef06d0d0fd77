// Links the whole core without Qt Widgets; running it does nothing.
int main()
{
    return 0;
}
