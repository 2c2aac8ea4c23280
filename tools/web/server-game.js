// A game that runs on the server (tools/serve.py): its brains are processes there and the page
// polls the game's state, which also tells the server the page is still open.

import { api } from "./api.js";

const POLL_MS = 300;

// settings: the body of POST /api/games; show(game) gets every state the server sends and
// fail(message) every refusal. Resolves to the driver once the server has started the game.
export async function startServerGame(settings, show, fail) {
  let game = await api("POST", "/api/games", settings);
  let timer = null;
  let closed = false;

  function shown(next) {
    game = next;
    if (!closed) show(game);
    clearTimeout(timer);
    if (!closed && !game.over) timer = setTimeout(poll, POLL_MS);
  }

  async function poll() {
    try {
      shown(await api("GET", `/api/games/${game.id}`));
    } catch (error) {
      closed = true;
      fail(error.message);
    }
  }

  // Sends one request about the game and shows the game as the server answers.
  async function act(action, body = {}) {
    if (closed) return;
    try {
      shown(await api("POST", `/api/games/${game.id}/${action}`, body));
    } catch (error) {
      fail(error.message);
    }
  }

  shown(game);
  return {
    move: (x, y) => act("move", { x, y }),
    takeBack: () => act("takeback"),
    resign: () => act("resign"),
    pace: (change) => act("pace", change),
    close() {
      closed = true;
      clearTimeout(timer);
      if (!game.over) api("DELETE", `/api/games/${game.id}`).catch(() => {});
    },
    // Leaving the page: a request that outlives it.
    leave() {
      if (closed || game.over) return;
      fetch(`/api/games/${game.id}`, { method: "DELETE", keepalive: true });
    },
  };
}
