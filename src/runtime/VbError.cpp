#include "runtime/VbError.h"

#include <algorithm>
#include <utility>

namespace quindel {

namespace {

struct ErrorText {
    std::int32_t number;
    const char* text;
};

// Sorted by number: looked up by binary search.
constexpr ErrorText kErrorTexts[] = {
    {3, "Return without GoSub"},
    {5, "Invalid procedure call or argument"},
    {6, "Overflow"},
    {7, "Out of memory"},
    {9, "Subscript out of range"},
    {10, "This array is fixed or temporarily locked"},
    {11, "Division by zero"},
    {13, "Type mismatch"},
    {14, "Out of string space"},
    {16, "Expression too complex"},
    {17, "Can't perform requested operation"},
    {18, "User interrupt occurred"},
    {20, "Resume without error"},
    {28, "Out of stack space"},
    {35, "Sub or Function not defined"},
    {47, "Too many DLL application clients"},
    {48, "Error in loading DLL"},
    {49, "Bad DLL calling convention"},
    {51, "Internal error"},
    {52, "Bad file name or number"},
    {53, "File not found"},
    {54, "Bad file mode"},
    {55, "File already open"},
    {57, "Device I/O error"},
    {58, "File already exists"},
    {59, "Bad record length"},
    {61, "Disk full"},
    {62, "Input past end of file"},
    {63, "Bad record number"},
    {67, "Too many files"},
    {68, "Device unavailable"},
    {70, "Permission denied"},
    {71, "Disk not ready"},
    {74, "Can't rename with different drive"},
    {75, "Path/File access error"},
    {76, "Path not found"},
    {91, "Object variable or With block variable not set"},
    {92, "For loop not initialized"},
    {93, "Invalid pattern string"},
    {94, "Invalid use of Null"},
    {96,
     "Unable to sink events of object because the object is already firing events to the "
     "maximum number of event receivers that it supports"},
    {97, "Can not call friend function on object which is not an instance of defining class"},
    {98,
     "A property or method call cannot include a reference to a private object, either as "
     "an argument or as a return value"},
    {321, "Invalid file format"},
    {322, "Can't create necessary temporary file"},
    {325, "Invalid format in resource file"},
    {380, "Invalid property value"},
    {381, "Invalid property array index"},
    {382, "Set not supported at runtime"},
    {383, "Set not supported (read-only property)"},
    {385, "Need property array index"},
    {387, "Set not permitted"},
    {393, "Get not supported at runtime"},
    {394, "Get not supported (write-only property)"},
    {400, "Form already displayed; can't show modally"},
    {402, "Code must close topmost modal form first"},
    {419, "Permission to use object denied"},
    {422, "Property not found"},
    {423, "Property or method not found"},
    {424, "Object required"},
    {425, "Invalid object use"},
    {429, "ActiveX component can't create object"},
    {430, "Class does not support Automation or does not support expected interface"},
    {432, "File name or class name not found during Automation operation"},
    {438, "Object doesn't support this property or method"},
    {440, "Automation error"},
    {442, "Connection to type library or object library for remote process has been lost"},
    {443, "Automation object does not have a default value"},
    {445, "Object doesn't support this action"},
    {446, "Object doesn't support named arguments"},
    {447, "Object doesn't support current locale setting"},
    {448, "Named argument not found"},
    {449, "Argument not optional"},
    {450, "Wrong number of arguments or invalid property assignment"},
    {451,
     "Property let procedure not defined and property get procedure did not return an "
     "object"},
    {452, "Invalid ordinal"},
    {453, "Specified DLL function not found"},
    {454, "Code resource not found"},
    {455, "Code resource lock error"},
    {457, "This key is already associated with an element of this collection"},
    {458, "Variable uses an Automation type not supported"},
    {459, "Object or class does not support the set of events"},
    {460, "Invalid Clipboard format"},
    {461, "Method or data member not found"},
    {462, "The remote server machine does not exist or is unavailable"},
    {463, "Class not registered on local machine"},
    {480, "Can't create AutoRedraw image"},
    {481, "Invalid picture"},
    {482, "Printer error"},
    {483, "Printer driver does not support specified property"},
    {484,
     "Problem getting printer information from the system. Make sure the printer is set "
     "up correctly."},
    {485, "Invalid picture type"},
    {486, "Can't print form image to this type of printer"},
    {735, "Can't save file to TEMP"},
    {744, "Search text not found"},
    {746, "Replacements too long"},
    {3006, "Database '|' is exclusively locked."},
    {3043, "Disk or network error."},
    {3044, "'|' isn't a valid path."},
    {3051,
     "The database engine cannot open the file '|'. It is already opened exclusively by "
     "another user, or you need permission to view its data."},
    {3061, "Too few parameters. Expected |."},
    {3196, "The database '|' is already in use by another person or process."},
    {3300, "Cannot create a relationship."},
    {31001, "Out of memory"},
    {31004, "No object"},
    {31018, "Class is not set"},
    {31027, "Unable to activate object"},
    {31032, "Unable to create embedded object"},
    {31036, "Error saving to file"},
    {31037, "Error loading from file"},
};

static_assert(std::is_sorted(std::begin(kErrorTexts), std::end(kErrorTexts),
                             [](const ErrorText& a, const ErrorText& b) {
                                 return a.number < b.number;
                             }));

std::string DescriptionOrStandard(std::int32_t number, std::string description) {
    return description.empty() ? StandardErrorText(number) : std::move(description);
}

}  // namespace

VbError::VbError(std::int32_t number, std::string source, std::string description)
    : std::runtime_error(DescriptionOrStandard(number, std::move(description))),
      number_(number),
      source_(std::move(source)) {}

std::string StandardErrorText(std::int32_t number) {
    const auto* it =
        std::lower_bound(std::begin(kErrorTexts), std::end(kErrorTexts), number,
                         [](const ErrorText& e, std::int32_t n) { return e.number < n; });
    if (it != std::end(kErrorTexts) && it->number == number) return it->text;
    return "Application-defined or object-defined error";
}

void Raise(std::int32_t number, std::string source) {
    throw VbError(number, std::move(source));
}

}  // namespace quindel
