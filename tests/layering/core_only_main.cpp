// SPDX-License-Identifier: GPL-3.0-or-later
// Links the whole core without Qt Widgets; running it does nothing.
int main()
{
    return 0;
}
