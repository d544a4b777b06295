#pragma once

namespace fendo {

class CFendoApp;
class CFendoView;
class FeedControl;

// The host of the feed optimizer in this run of the program: the machine slots, what the
// optimizer keeps between runs and the transfer dialog's copy of the settings. Made the first
// time it is asked for, kept until the program ends.
FeedControl& FeedOptimizerHost(CFendoApp& app);

// "Feed Optimizer": the transfer dialog on machine slot 1, then the optimizer on the
// view's toolpath, with the master model when the settings ask for one or the view holds one.
void FeedOptimizerCommand(CFendoView& view);

}  // namespace fendo
