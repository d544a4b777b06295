#pragma once

namespace fendo {

class InputSource;
class ViewInput;

// "공구 모의동작": the tool travels the work buffer's motion records from the first to the last,
// drawn wherever it has moved more than 2 pixels on the screen since it was last drawn. While
// it runs, ESC stops it and SPACE halts it in single steps: then each SPACE moves it to the next
// motion record and ENTER lets it run on again. At the end, or on ESC, the help prompt is
// cleared, the view redrawn and the view ignores input for the next second.
//
// True when the tool reached the last motion record, false when ESC stopped it.
bool RunToolSimulation(ViewInput& view, InputSource& input);

}  // namespace fendo
