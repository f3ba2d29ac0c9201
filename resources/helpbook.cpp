// The help book's pages and the program icon are compiled into this library as
// Qt resources ("helpbook", "appicon"); the windows initialise them on first use.
namespace mv {
int helpBookLibrary()
{
    return 0;
}
} // namespace mv
