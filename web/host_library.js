// The calls the WebAssembly side makes of the page: drawing cells, the display timer, the modal boxes, and the stored files.
mergeInto(LibraryManager.library, {
    // Both wait for the page's dialog to close, as the modal boxes on Windows do.
    glimmark_show_message: function (text, caption, isWarning) {
        return Asyncify.handleSleep(function (wakeUp) {
            Module.page.showMessage(UTF8ToString(text), UTF8ToString(caption), isWarning !== 0).then(wakeUp);
        });
    },
    glimmark_run_dialog: function (templateId) {
        return Asyncify.handleSleep(function (wakeUp) {
            Module.page.runDialog(templateId).then(wakeUp);
        });
    },

    glimmark_start_display_timer: function (periodMilliseconds) {
        Module.page.startDisplayTimer(periodMilliseconds);
    },
    glimmark_stop_display_timer: function () {
        Module.page.stopDisplayTimer();
    },

    glimmark_clear_board: function () {
        Module.page.clearBoard();
    },
    glimmark_paint_cell: function (column, row, number, textColor, backgroundColor) {
        Module.page.paintCell(column, row, number, textColor, backgroundColor);
    },

    // The bytes are copied out at once: the memory they lie in may grow and move.
    glimmark_keep_file: function (name, bytes, length) {
        return Module.page.keepFile(UTF8ToString(name), HEAPU8.slice(bytes, bytes + length)) ? 1 : 0;
    },
    glimmark_restore_file: function (name, wholeOrNothing) {
        Module.page.restoreFile(UTF8ToString(name), wholeOrNothing !== 0);
    },
});
