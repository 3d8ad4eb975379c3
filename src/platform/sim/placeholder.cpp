// Replaced by the simulated desktop.
namespace corvella::sim {}
