// Placeholder until the generator lands.
namespace qvgen_placeholder {
int Unused() { return 0; }
}  // namespace qvgen_placeholder
