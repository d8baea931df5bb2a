// The code editor library's component palette registrations: each unit's Register routine puts its components
// on the palette page "Nimbra Memo" (used when the components are installed into a form designer).
#pragma once

namespace Dcstring {
inline constexpr const char* SPalettePage = "Nimbra Memo";
// TMemoSource and TClipbrdMemoSource.
void Register();
}  // namespace Dcstring

namespace Dcparser {
// The ten language tokenizers.
void Register();
}  // namespace Dcparser

namespace Dccdes {
// The JavaScript, VBScript, Delphi, Perl and Python code designers.
void Register();
}  // namespace Dccdes
