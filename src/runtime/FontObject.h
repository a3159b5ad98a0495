#pragma once
// A font as hosts and engines hand it to each other by reference: face, size and style, read and
// written by name or by the usual font dispatch ids (Name 0, Size 2, Bold 3, Italic 4, Underline
// 5, Strikethrough 6, Weight 7, Charset 8). Bold and Weight are one setting seen two ways: Bold
// is a weight of 600 or more, and setting it gives 700 or 400. A size must be above 0 and at
// most 2,160 points, a weight within 0..1000 (else 380).
#include <cstdint>
#include <string>

#include "runtime/DispatchTable.h"

namespace quindel {

class FontObject : public TableDispatch {
  public:
    struct Fields {
        std::string name = "Times New Roman";
        double size = 12;
        std::int16_t weight = 400;
        bool italic = false;
        bool underline = false;
        bool strikethrough = false;
        std::int16_t charset = 0;
    };

    FontObject();
    explicit FontObject(Fields fields);
    const Fields& fields() const { return fields_; }

  private:
    void setSize(double points);
    void setWeight(std::int16_t weight);

    Fields fields_;
};

}  // namespace quindel
