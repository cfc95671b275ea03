// A work-order form built through "tui": a main window with a pane holding a
// form of two line edits, a combo box and a row of two buttons. It reports
// the widget events it saw and where each control ended up, prints "shown"
// once laid out, and ends the event loop from button handlers.
var tui = __package__.import('tui');
var events = [];
function listen(name, w) {
    w.signal.connect(function (type, data, uuid) { events.push(name + ':' + type); });
}

var win = tui.newMainWindow();
win.setWindowTitle('Work order');
var pane = tui.newWidget(win);
var form = tui.newFormLayout(pane);
var order = tui.newLineEdit(pane);
var quantity = tui.newLineEdit(pane);
var line = tui.newComboBox(pane);
var buttons = tui.newHBoxLayout();
var save = tui.newPushButton(pane);
var cancel = tui.newPushButton(pane);
save.text = 'Save';
cancel.text = 'Cancel';
line.setItemList([{name: 'L1', text: 'Line 1 (drilling)'}, {name: 'L2', text: 'Line 2 (plating)'}]);
form.packWidget(order, 'Order', '');
form.packWidget(quantity, 'Quantity', 'panels');
form.packWidget(line, 'Line', '');
buttons.packStretch(1);
buttons.packWidget(save);
buttons.packWidget(cancel);
form.packLayout(buttons, '', '', 1, '', 2);
win.setBodyWidget(pane);
[['order', order], ['quantity', quantity], ['line', line], ['save', save], ['cancel', cancel]].forEach(function (p) {
    listen(p[0], p[1]);
});

order.text = 'WO-1001';
order.editingFinished();
line.setCurrentName('L2');

function box(w) { return [w.x, w.y, w.width, w.height, w.visible]; }
// Two buttons that are never shown serve as timers: animateClick clicks
// them after the given delay.
var shownTimer = tui.newPushButton();
var closeTimer = tui.newPushButton();
shownTimer.clicked.connect(function () {
    out({window: box(win), pane: box(pane), order: box(order),
         quantity: box(quantity), line: box(line), save: box(save), cancel: box(cancel),
         line_text: line.currentText, dp_ratio: tui.theme().dpRatio()});
    out('shown');
    closeTimer.animateClick(typeof CLOSE_DELAY === 'number' ? CLOSE_DELAY : 50);
});
closeTimer.clicked.connect(function () { save.animateClick(20); });
save.signal.connect(function (type) {
    out({events: events});
    tui.exit();
});

win.set('size', [460, 240]);
win.show();
shownTimer.animateClick(typeof SHOW_DELAY === 'number' ? SHOW_DELAY : 200);
tui.exec();
out('after exec');
[win, shownTimer, closeTimer].forEach(function (w) { tui.deleteObject(w); });
