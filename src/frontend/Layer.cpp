// Keeps the layer's library non-empty while it has no other sources.
namespace gorb { namespace layer_anchor { } }
