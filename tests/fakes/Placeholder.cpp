// placeholder so the fakes library is never empty
namespace korva::fakes { int placeholder = 0; }
