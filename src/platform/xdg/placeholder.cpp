// Replaced by the XDG folders.
namespace corvella::xdg {}
